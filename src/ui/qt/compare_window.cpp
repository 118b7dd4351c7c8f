#include "ui/qt/compare_window.h"

#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTabWidget>
#include <QVBoxLayout>

#include "state/constants.h"
#include "ui/qt/close_keys.h"
#include "ui/qt/pareto_chart.h"

namespace tov::qt {
namespace {

constexpr const char* kTitle = "Compare Cores";
// The line Calculate picks, and the lines that fail.
const QColor kPickBackground(200, 240, 200);
const QColor kFailingText(110, 110, 110);
// Stack filter entries before the counts 1..5.
constexpr int kCurrentStack = 0;
constexpr int kAnyStack = -1;
constexpr int kAnyMaterial = -1;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

void CandidateTableModel::SetRows(std::vector<CandidateRow> rows, bool metric) {
  beginResetModel();
  rows_ = std::move(rows);
  metric_ = metric;
  endResetModel();
}

int CandidateTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CandidateTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kCandidateColumnCount);
}

QVariant CandidateTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const CandidateRow& row = rows_[static_cast<std::size_t>(index.row())];
  const auto column = static_cast<CandidateColumn>(index.column());
  switch (role) {
    case Qt::DisplayRole:
      return Q(CellText(row, column, cores_, metric_));
    case Qt::UserRole: {
      const std::optional<double> number = CellNumber(row, column, cores_);
      return number ? QVariant(*number) : QVariant();
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(CellNumber(row, column, cores_)
                                     ? Qt::AlignRight | Qt::AlignVCenter
                                     : Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      return row.calculate_pick ? QVariant(kPickBackground) : QVariant();
    case Qt::ForegroundRole:
      return row.passes ? QVariant() : QVariant(kFailingText);
    case Qt::FontRole: {
      if (!row.candidate.search_pick) return {};
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    case Qt::ToolTipRole:
      if (row.calculate_pick) return QString("The core Calculate picks");
      if (row.candidate.search_pick) {
        return QString("The core Calculate picks for this material and stack");
      }
      return {};
    default:
      return {};
  }
}

QVariant CandidateTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= columnCount()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return Q(CandidateColumnTitle(static_cast<CandidateColumn>(section), metric_));
}

void CandidateFilter::SetFilter(std::optional<Material> material, std::optional<int16_t> stack,
                                bool passing) {
  material_ = material;
  stack_ = stack;
  passing_ = passing;
  invalidateFilter();
}

const CandidateTableModel& CandidateFilter::Model() const {
  return *static_cast<const CandidateTableModel*>(sourceModel());
}

bool CandidateFilter::filterAcceptsRow(int source_row, const QModelIndex&) const {
  const CandidateRow& row = Model().Rows()[static_cast<std::size_t>(source_row)];
  const Candidate& c = row.candidate;
  if (material_ && c.material != *material_) return false;
  if (stack_ && c.stack_count != *stack_ && !IsECore(c.material)) return false;
  return !passing_ || row.passes;
}

bool CandidateFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  const auto column = static_cast<CandidateColumn>(left.column());
  const CandidateRow& l = Model().Rows()[static_cast<std::size_t>(left.row())];
  const CandidateRow& r = Model().Rows()[static_cast<std::size_t>(right.row())];
  const std::optional<double> a = CellNumber(l, column, Model().Cores());
  const std::optional<double> b = CellNumber(r, column, Model().Cores());
  if (a && b) return *a < *b;
  if (a || b) return a.has_value();  // empty cells last
  return QString::localeAwareCompare(Q(CellText(l, column, Model().Cores(), false)),
                                     Q(CellText(r, column, Model().Cores(), false))) < 0;
}

CompareWindow::CompareWindow(DesignController& frm, QWidget* parent)
    : QWidget(parent, Qt::Window), frm_(frm) {
  setObjectName("frmCompare");
  setWindowTitle(kTitle);
  CloseOnEscapeOrCtrlW(*this);

  cboMaterial_ = new QComboBox(this);
  cboMaterial_->setObjectName("cboMaterial");
  cboMaterial_->addItem("All materials", kAnyMaterial);
  for (const MaterialInfo& info : kMaterialTable) {
    cboMaterial_->addItem(
        QString::fromUtf8(info.caption.data(), static_cast<qsizetype>(info.caption.size())),
        static_cast<int>(info.material));
  }
  cboStack_ = new QComboBox(this);
  cboStack_->setObjectName("cboStack");
  cboStack_->addItem("Stack of the design", kCurrentStack);
  cboStack_->addItem("All stacks", kAnyStack);
  for (int count = 1; count <= kMaxStackCount; ++count) {
    cboStack_->addItem(count == 1 ? QString("1 core") : QString("%1 cores").arg(count), count);
  }
  chkPassing_ = new QCheckBox("&Passing only", this);
  chkPassing_->setObjectName("chkPassing");
  cmdExport_ = new QPushButton("&Export CSV...", this);
  cmdExport_->setObjectName("cmdExport");
  auto* filters = new QHBoxLayout;
  filters->addWidget(cboMaterial_);
  filters->addWidget(cboStack_);
  filters->addWidget(chkPassing_);
  filters->addStretch();
  filters->addWidget(cmdExport_);

  lblSummary_ = new QLabel(this);
  lblSummary_->setObjectName("lblSummary");
  lblSummary_->setWordWrap(true);

  model_ = new CandidateTableModel(frm.Cores(), this);
  filter_ = new CandidateFilter(this);
  filter_->setSourceModel(model_);
  grdCompare_ = new QTableView(this);
  grdCompare_->setObjectName("grdCompare");
  grdCompare_->setModel(filter_);
  grdCompare_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdCompare_->setSelectionMode(QAbstractItemView::SingleSelection);
  grdCompare_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdCompare_->verticalHeader()->hide();
  grdCompare_->verticalHeader()->setDefaultSectionSize(grdCompare_->fontMetrics().height() + 6);
  grdCompare_->setWordWrap(false);
  // The lines keep the order they come in (passing first) until a heading is clicked.
  grdCompare_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  grdCompare_->setSortingEnabled(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
  layout->addWidget(lblSummary_);
  auto* views = new QTabWidget(this);
  views->addTab(grdCompare_, "&Table");
  auto* chart = new ParetoChart(*model_, *filter_, *grdCompare_, this);
  views->addTab(chart, "C&hart");
  connect(chart, &ParetoChart::lineChosen, this, &CompareWindow::LineDoubleClicked);
  layout->addWidget(views, 1);
  resize(1200, 600);

  connect(cboMaterial_, &QComboBox::currentIndexChanged, this, &CompareWindow::ApplyFilter);
  connect(cboStack_, &QComboBox::currentIndexChanged, this, &CompareWindow::ApplyFilter);
  connect(chkPassing_, &QCheckBox::toggled, this, &CompareWindow::ApplyFilter);
  connect(grdCompare_, &QTableView::doubleClicked, this, &CompareWindow::LineDoubleClicked);
  connect(cmdExport_, &QPushButton::clicked, this, [this] {
    ExportCandidateRows(ShownRows(), frm_.Cores(), frm_.Model().state.metric, frm_.DesignFile(),
                        frm_.User());
  });
}

void CompareWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
}

void CompareWindow::Refresh() {
  if (!isVisible()) return;
  const WindowModel& window = frm_.Model();
  const DesignRequest request = frm_.Request();
  if (shown_request_ != request || shown_metric_ != window.state.metric) {
    CompareTable table = CompareCores(frm_);
    shown_request_ = request;
    shown_metric_ = window.state.metric;
    lblSummary_->setText(Q(table.problem.empty() ? table.summary : table.problem));
    model_->SetRows(std::move(table.rows), window.state.metric);
    grdCompare_->resizeColumnsToContents();
  }
  ApplyFilter();
}

void CompareWindow::ApplyFilter() {
  std::optional<Material> material;
  if (const int m = cboMaterial_->currentData().toInt(); m != kAnyMaterial) {
    material = static_cast<Material>(m);
  }
  std::optional<int16_t> stack;
  const int s = cboStack_->currentData().toInt();
  if (s == kCurrentStack) stack = frm_.Model().state.stack_count;
  if (s > 0) stack = static_cast<int16_t>(s);
  filter_->SetFilter(material, stack, chkPassing_->isChecked());
}

std::vector<CandidateRow> CompareWindow::ShownRows() const {
  std::vector<CandidateRow> rows;
  for (int r = 0; r < filter_->rowCount(); ++r) {
    const QModelIndex source = filter_->mapToSource(filter_->index(r, 0));
    rows.push_back(model_->Rows()[static_cast<std::size_t>(source.row())]);
  }
  return rows;
}

void CompareWindow::LineDoubleClicked(const QModelIndex& index) {
  const QModelIndex source = filter_->mapToSource(index);
  if (!source.isValid()) return;
  const Candidate& c = model_->Rows()[static_cast<std::size_t>(source.row())].candidate;
  emit coreChosen(c.material, c.stack_count, c.row);
}

}  // namespace tov::qt
