#include "ui/qt/main_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/logic/window_fields.h"
#include "ui/qt/fonts.h"
#include "ui/qt/logo_picture.h"

namespace tov::qt {

namespace {

// Width of the text fields, in average characters of their font.
constexpr int kInputChars = 9;
constexpr int kOutputChars = 18;
// Height of the core list when it is shown, in lines.
constexpr int kCoreListLines = 12;

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QGroupBox* MakeFrame(const char* name, const QString& caption, QWidget* parent) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  frame->setFont(CaptionFont());
  return frame;
}

QLabel* MakeLabel(std::string_view name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(Q(name));
  label->setFont(CaptionFont());
  return label;
}

QLineEdit* MakeTextField(std::string_view name, int width_chars, bool read_only, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(Q(name));
  edit->setFont(FieldFont());
  edit->setAlignment(Qt::AlignCenter);
  edit->setReadOnly(read_only);
  if (read_only) edit->setFocusPolicy(Qt::NoFocus);
  const QFontMetrics metrics(edit->font());
  edit->setFixedWidth(metrics.averageCharWidth() * width_chars + metrics.height());
  return edit;
}

// A scroll area that asks for the whole of its content, so that the window
// scrolls only on a screen too small for it.
class WholeContentScrollArea : public QScrollArea {
 public:
  using QScrollArea::QScrollArea;
  QSize sizeHint() const override {
    const int frame = 2 * frameWidth();
    return widget() ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
  }
};

// The widest the caption `member` of the window model is for any material
// in either unit, in pixels of `metrics`: its label keeps that room, so that
// a change of material or unit never widens the window.
int WidestCaption(std::string WindowModel::*member, const QFontMetrics& metrics) {
  int widest = 0;
  for (const MaterialInfo& info : kMaterialTable) {
    for (const bool metric : {false, true}) {
      WindowModel variant;
      const CoreCaptions& captions = CoreCaptionsFor(info.material, metric);
      variant.mount_caption = captions.mount_caption;
      variant.core_id_caption = captions.core_id_caption;
      variant.core_od_caption = captions.core_od_caption;
      variant.core_height_caption = captions.core_height_caption;
      variant.wound_dimensions_caption = WoundDimensionsCaption(metric);
      widest = std::max(widest, metrics.horizontalAdvance(Q(variant.*member)));
    }
  }
  return widest;
}

QPushButton* MakeButton(const char* name, const QString& caption, const QString& tooltip,
                        QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setFont(CaptionFont());
  button->setToolTip(tooltip);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

MainWindow::MainWindow(DesignController& frm, QWidget* parent) : QMainWindow(parent), frm_(frm) {
  setObjectName("frmTov");
  setWindowTitle(kProgramTitle);
  menus_ = BuildMainMenus(*menuBar());

  scroll_ = new WholeContentScrollArea(this);
  scroll_->setObjectName("scrollArea");
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(true);
  content_ = new QWidget(scroll_);
  content_->setObjectName("content");

  auto* title = new QLabel(kProgramTitle, content_);
  title->setObjectName("lblTitle");
  title->setFont(TitleFont());
  title->setAlignment(Qt::AlignCenter);
  auto* heading = new QHBoxLayout;
  heading->addWidget(title, 1);
  heading->addWidget(new LogoPicture(content_));

  BuildCoreList();
  auto* left = new QVBoxLayout;
  left->addWidget(BuildInputsFrame());
  left->addWidget(BuildMaterialFrame());
  left->addStretch();
  auto* middle = new QVBoxLayout;
  middle->addWidget(BuildCoreDataFrame());
  middle->addWidget(lstCores_);
  middle->addStretch();
  middle->addLayout(BuildButtonRow());
  auto* right = new QVBoxLayout;
  right->addWidget(BuildOutputsFrame());
  right->addStretch();

  auto* body = new QHBoxLayout;
  body->addLayout(left);
  body->addLayout(middle);
  body->addLayout(right);

  auto* layout = new QVBoxLayout(content_);
  layout->addLayout(heading);
  layout->addLayout(body);
  scroll_->setWidget(content_);
  setCentralWidget(scroll_);
  BuildStatusBar();

  ConnectEvents();
  SetTabOrder();
  setAcceptDrops(true);
  Refresh();
  resize(StartingSize());
  // Typing starts in DC Current once the disclaimer is closed.
  inputs_.front().edit->setFocus(Qt::OtherFocusReason);
}

QSize MainWindow::StartingSize() const {
  // Room for the window's frame, which the window manager adds.
  const QSize frame(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
  return sizeHint().boundedTo(screen()->availableGeometry().size() - frame);
}

void MainWindow::BuildStatusBar() {
  status_notes_ = new QLabel(statusBar());
  status_notes_->setObjectName("statusNotes");
  // Long notes are cut off rather than widen the window; the tooltip holds them whole.
  status_notes_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  status_settings_ = new QLabel(statusBar());
  status_settings_->setObjectName("statusSettings");
  statusBar()->addWidget(status_notes_, 1);
  statusBar()->addPermanentWidget(status_settings_);
}

MainWindow::~MainWindow() {
  if (stack_dialog_) delete stack_dialog_.data();
}

QWidget* MainWindow::BuildInputsFrame() {
  QGroupBox* frame = MakeFrame("frameInputs", "Design Inputs", content_);
  auto* grid = new QGridLayout(frame);
  int row = 0;
  for (const InputField& r : kInputFields) {
    QLabel* label = MakeLabel(r.label, Q(r.caption), frame);
    label->setToolTip(Q(r.tooltip));
    QLineEdit* edit = MakeTextField(r.field, kInputChars, false, frame);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    inputs_.push_back({edit, r.box});
    ++row;
  }
  return frame;
}

QWidget* MainWindow::BuildMaterialFrame() {
  QGroupBox* frame = MakeFrame("frameMatType", "Material Type", content_);
  auto* column = new QVBoxLayout(frame);
  auto* group = new QButtonGroup(frame);
  for (std::size_t i = 0; i < kMaterialTable.size(); ++i) {
    auto* option = new QRadioButton(Q(kMaterialTable[i].caption), frame);
    option->setObjectName(Q(kMaterialTable[i].option));
    option->setFont(FieldFont());
    group->addButton(option, static_cast<int>(i));
    column->addWidget(option);
    materials_[i] = option;
  }
  return frame;
}

int MainWindow::AddOutputRows(QGroupBox* frame, QGridLayout* grid, OutputFrame which) {
  int row = 0;
  for (const OutputField& r : kOutputFields) {
    if (r.frame != which) continue;
    QLabel* label = MakeLabel(r.label, Q(r.caption), frame);
    QLineEdit* edit = MakeTextField(r.field, kOutputChars, true, frame);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    outputs_.push_back({edit, r.box});
    if (r.live_caption) {
      captions_.push_back({label, r.live_caption});
      label->setMinimumWidth(WidestCaption(r.live_caption, label->fontMetrics()));
    }
    ++row;
  }
  return row;
}

QWidget* MainWindow::BuildCoreDataFrame() {
  QGroupBox* frame = MakeFrame("frameCoreData", "Core Information", content_);
  auto* grid = new QGridLayout(frame);
  const int row = AddOutputRows(frame, grid, OutputFrame::CoreData);
  cmdSelCore_ = MakeButton("cmdSelCore", "&Select Core From List", QString(), frame);
  grid->addWidget(cmdSelCore_, row, 0, 1, 2, Qt::AlignHCenter);
  return frame;
}

QWidget* MainWindow::BuildOutputsFrame() {
  QGroupBox* frame = MakeFrame("frameOutputs", "Design Outputs", content_);
  AddOutputRows(frame, new QGridLayout(frame), OutputFrame::Outputs);
  return frame;
}

QLayout* MainWindow::BuildButtonRow() {
  cmdCalculate_ = MakeButton("cmdCalculate", "&Calculate", "Calculate design", content_);
  cmdCalculate_->setDefault(true);
  cmdPrint_ = MakeButton("cmdPrint", "&Print", "Print finished design", content_);
  cmdExit_ = MakeButton("cmdExit", "E&xit", "Exit program", content_);
  auto* row = new QHBoxLayout;
  row->addWidget(cmdCalculate_);
  row->addWidget(cmdPrint_);
  row->addWidget(cmdExit_);
  return row;
}

void MainWindow::BuildCoreList() {
  lstCores_ = new QListWidget(content_);
  lstCores_->setObjectName("lstCores");
  lstCores_->setFont(FieldFont());
  lstCores_->setSelectionMode(QAbstractItemView::SingleSelection);
  lstCores_->setFixedHeight(lstCores_->fontMetrics().lineSpacing() * kCoreListLines +
                            2 * lstCores_->frameWidth());
  // Its room is kept while it is hidden, so that showing it never resizes the window.
  QSizePolicy policy = lstCores_->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  lstCores_->setSizePolicy(policy);
  lstCores_->hide();
}

void MainWindow::SetTabOrder() {
  std::vector<QWidget*> order;
  for (std::size_t i = 0; i + 1 < inputs_.size(); ++i) order.push_back(inputs_[i].edit);
  order.push_back(cmdSelCore_);
  order.insert(order.end(), materials_.begin(), materials_.end());
  order.push_back(cmdCalculate_);
  order.push_back(cmdPrint_);
  order.push_back(cmdExit_);
  order.push_back(lstCores_);
  order.push_back(inputs_.back().edit);  // Temperature Rise comes last
  for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Ending the program asks nothing and saves nothing.
  event->accept();
}

}  // namespace tov::qt
