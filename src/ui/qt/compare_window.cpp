#include "ui/qt/compare_window.h"

#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "state/constants.h"
#include "ui/qt/close_keys.h"
#include "ui/qt/desktop_settings.h"
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
    case Qt::ToolTipRole: {
      // The failed tests whole, however narrow their column.
      QStringList tip;
      if (column == CandidateColumn::FailedTests && !row.passes) {
        tip << Q(CellText(row, column, cores_, metric_));
      }
      if (row.calculate_pick) {
        tip << "The core Calculate picks";
      } else if (row.candidate.search_pick) {
        tip << "The core Calculate picks for this material and stack";
      }
      return tip.isEmpty() ? QVariant() : QVariant(tip.join('\n'));
    }
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

FrozenFirstColumnTable::FrozenFirstColumnTable(QAbstractItemModel* model, QWidget* parent)
    : QTableView(parent), frozen_(new QTableView(this)) {
  setModel(model);
  frozen_->setObjectName("grdCompareFrozen");
  frozen_->setModel(model);
  frozen_->setSelectionModel(selectionModel());
  frozen_->setFocusPolicy(Qt::NoFocus);
  frozen_->setFrameShape(QFrame::NoFrame);
  frozen_->verticalHeader()->hide();
  frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  frozen_->setSelectionBehavior(QAbstractItemView::SelectRows);
  frozen_->setWordWrap(false);
  frozen_->setVerticalScrollMode(ScrollPerPixel);
  frozen_->horizontalHeader()->setSortIndicatorShown(true);
  frozen_->horizontalHeader()->setSectionsClickable(true);
  setHorizontalScrollMode(ScrollPerPixel);
  setVerticalScrollMode(ScrollPerPixel);
  viewport()->stackUnder(frozen_);
  const auto hide_all_but_first = [this] {
    for (int c = 1; c < this->model()->columnCount(); ++c) frozen_->setColumnHidden(c, true);
  };
  hide_all_but_first();
  connect(model, &QAbstractItemModel::modelReset, this, hide_all_but_first);

  // Widths, heights, scrolling and sorting follow the table.
  connect(horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int width) {
            if (column != 0) return;
            frozen_->setColumnWidth(0, width);
            PlaceFrozen();
          });
  connect(frozen_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int width) {
            if (column == 0 && columnWidth(0) != width) setColumnWidth(0, width);
          });
  connect(verticalHeader(), &QHeaderView::sectionResized, this,
          [this](int row, int, int height) { frozen_->setRowHeight(row, height); });
  connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(frozen_, &QTableView::doubleClicked, this, &QTableView::doubleClicked);
  connect(frozen_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    const bool ascending = horizontalHeader()->sortIndicatorSection() == column &&
                           horizontalHeader()->sortIndicatorOrder() == Qt::AscendingOrder;
    sortByColumn(column, ascending ? Qt::DescendingOrder : Qt::AscendingOrder);
  });
  connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, frozen_->horizontalHeader(),
          &QHeaderView::setSortIndicator);
  PlaceFrozen();
}

void FrozenFirstColumnTable::PlaceFrozen() {
  frozen_->setColumnWidth(0, columnWidth(0));
  frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
  frozen_->setGeometry(viewport()->x(), frameWidth(), columnWidth(0),
                       viewport()->height() + horizontalHeader()->height());
}

void FrozenFirstColumnTable::updateGeometries() {
  QTableView::updateGeometries();
  PlaceFrozen();
}

QModelIndex FrozenFirstColumnTable::moveCursor(CursorAction cursor_action,
                                               Qt::KeyboardModifiers modifiers) {
  const QModelIndex current = QTableView::moveCursor(cursor_action, modifiers);
  // A cell moved to from the right stays in sight beside the frozen column.
  if (cursor_action == MoveLeft && current.column() > 0 &&
      visualRect(current).topLeft().x() < frozen_->columnWidth(0)) {
    const int x = visualRect(current).topLeft().x() - frozen_->columnWidth(0);
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + x);
  }
  return current;
}

void FrozenFirstColumnTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
  // The first column is always in sight: scrolling to it would only move the others.
  if (index.column() > 0) {
    QTableView::scrollTo(index, hint);
  } else if (index.isValid()) {
    QTableView::scrollTo(model()->index(index.row(), 1, index.parent()), hint);
  }
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
  grdCompare_ = new FrozenFirstColumnTable(filter_, this);
  grdCompare_->setObjectName("grdCompare");
  grdCompare_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  // Columns take the width of the lines in sight, not of all 2,620.
  grdCompare_->horizontalHeader()->setResizeContentsPrecision(0);
  grdCompare_->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
  grdCompare_->horizontalHeader()->setToolTip("Right-click to show or hide columns");
  connect(grdCompare_->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
          &CompareWindow::ShowColumnMenu);
  const QStringList hidden = HiddenCompareColumns();
  for (int c = 1; c < model_->columnCount(); ++c) {
    grdCompare_->setColumnHidden(c, hidden.contains(StableTitle(c)));
  }
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
    table_notes_ = table.problem.empty() ? table.notes : table.problem;
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
  if (model_->Rows().empty()) {
    lblSummary_->setText(Q(table_notes_));
    return;
  }
  std::size_t passing = 0;
  for (int r = 0; r < filter_->rowCount(); ++r) {
    const QModelIndex source = filter_->mapToSource(filter_->index(r, 0));
    passing += model_->Rows()[static_cast<std::size_t>(source.row())].passes ? 1 : 0;
  }
  lblSummary_->setText(Q(CompareSummary(static_cast<std::size_t>(filter_->rowCount()), passing,
                                        model_->Rows().size(), table_notes_)));
}

QSize CompareWindow::WholeTableSize() const {
  const QFontMetrics metrics = grdCompare_->fontMetrics();
  return {metrics.averageCharWidth() * 240, metrics.lineSpacing() * 44};
}

std::unique_ptr<QMenu> CompareWindow::ColumnMenu() {
  auto menu = std::make_unique<QMenu>(this);
  menu->setObjectName("columnMenu");
  for (int c = 1; c < model_->columnCount(); ++c) {
    QAction* entry =
        menu->addAction(model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    entry->setCheckable(true);
    entry->setChecked(!grdCompare_->isColumnHidden(c));
    connect(entry, &QAction::toggled, this, [this, c](bool shown) {
      grdCompare_->setColumnHidden(c, !shown);
      RememberHiddenColumns();
    });
  }
  return menu;
}

QString CompareWindow::StableTitle(int column) {
  return Q(CandidateColumnTitle(static_cast<CandidateColumn>(column), false));
}

void CompareWindow::RememberHiddenColumns() const {
  QStringList hidden;
  for (int c = 1; c < model_->columnCount(); ++c) {
    if (grdCompare_->isColumnHidden(c)) hidden << StableTitle(c);
  }
  SetHiddenCompareColumns(hidden);
}

void CompareWindow::ShowColumnMenu(const QPoint& at) {
  ColumnMenu()->exec(grdCompare_->horizontalHeader()->mapToGlobal(at));
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
