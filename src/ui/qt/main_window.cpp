#include "ui/qt/main_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "state/window_fields.h"
#include "ui/qt/fonts.h"
#include "ui/qt/logo_picture.h"

namespace tov::qt {

namespace {

constexpr const char* kTitle = "Corvane Inductor Design Using Powder Cores";

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

MainWindow::MainWindow(FrmTov& frm, QWidget* parent) : QMainWindow(parent), frm_(frm) {
  setObjectName("frmTov");
  setWindowTitle(kTitle);
  menus_ = BuildMainMenus(*menuBar());

  auto* central = new QWidget(this);
  setCentralWidget(central);

  auto* title = new QLabel(kTitle, central);
  title->setObjectName("lblTitle");
  title->setFont(TitleFont());
  title->setAlignment(Qt::AlignCenter);
  auto* heading = new QHBoxLayout;
  heading->addWidget(title, 1);
  heading->addWidget(new LogoPicture(central));

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

  auto* layout = new QVBoxLayout(central);
  layout->addLayout(heading);
  layout->addLayout(body);

  // The window keeps the size its content asks for; it grows while the core
  // list is shown.
  QMainWindow::layout()->setSizeConstraint(QLayout::SetFixedSize);

  ConnectEvents();
  SetTabOrder();
  Refresh();
}

MainWindow::~MainWindow() {
  if (stack_dialog_) delete stack_dialog_.data();
}

QWidget* MainWindow::BuildInputsFrame() {
  QGroupBox* frame = MakeFrame("frameInputs", "Design Inputs", centralWidget());
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
  QGroupBox* frame = MakeFrame("frameMatType", "Material Type", centralWidget());
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
    if (r.live_caption) captions_.push_back({label, r.live_caption});
    ++row;
  }
  return row;
}

QWidget* MainWindow::BuildCoreDataFrame() {
  QGroupBox* frame = MakeFrame("frameCoreData", "Core Information", centralWidget());
  auto* grid = new QGridLayout(frame);
  const int row = AddOutputRows(frame, grid, OutputFrame::CoreData);
  cmdSelCore_ = MakeButton("cmdSelCore", "&Select Core From List", QString(), frame);
  grid->addWidget(cmdSelCore_, row, 0, 1, 2, Qt::AlignHCenter);
  return frame;
}

QWidget* MainWindow::BuildOutputsFrame() {
  QGroupBox* frame = MakeFrame("frameOutputs", "Design Outputs", centralWidget());
  AddOutputRows(frame, new QGridLayout(frame), OutputFrame::Outputs);
  return frame;
}

QLayout* MainWindow::BuildButtonRow() {
  cmdCalculate_ = MakeButton("cmdCalculate", "&Calculate", "Calculate design", centralWidget());
  cmdCalculate_->setDefault(true);
  cmdPrint_ = MakeButton("cmdPrint", "&Print", "Print finished design", centralWidget());
  cmdExit_ = MakeButton("cmdExit", "E&xit", "Exit program", centralWidget());
  auto* row = new QHBoxLayout;
  row->addWidget(cmdCalculate_);
  row->addWidget(cmdPrint_);
  row->addWidget(cmdExit_);
  return row;
}

void MainWindow::BuildCoreList() {
  lstCores_ = new QListWidget(centralWidget());
  lstCores_->setObjectName("lstCores");
  lstCores_->setFont(FieldFont());
  lstCores_->setSelectionMode(QAbstractItemView::SingleSelection);
  lstCores_->setFixedHeight(lstCores_->fontMetrics().lineSpacing() * kCoreListLines +
                            2 * lstCores_->frameWidth());
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
