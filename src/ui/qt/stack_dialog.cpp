#include "ui/qt/stack_dialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/qt/fonts.h"

namespace tov::qt {
namespace {

constexpr std::array<const char*, 5> kCaptions = {"One", "Two", "Three", "Four", "Five"};

QPushButton* MakeButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setFont(CaptionFont());
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

}  // namespace

StackDialog::StackDialog(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("frmStack");
  setWindowTitle("Stacking Cores");
  setAttribute(Qt::WA_QuitOnClose, false);

  auto* prompt = new QLabel("Select number of cores to be stacked for this design.", this);
  prompt->setObjectName("lblStack");
  prompt->setFont(PromptFont());

  auto* group = new QButtonGroup(this);
  auto* option_column = new QVBoxLayout;
  for (int i = 0; i < 5; ++i) {
    auto* option = new QRadioButton(kCaptions[i], this);
    option->setObjectName(QString("optStack%1").arg(i + 1));
    option->setFont(FieldFont());
    group->addButton(option, i + 1);
    option_column->addWidget(option);
    options_[i] = option;
    connect(option, &QRadioButton::clicked, this,
            [this, i] { emit optStackClicked(static_cast<int16_t>(i + 1)); });
  }
  options_[0]->setChecked(true);

  QPushButton* ok = MakeButton("cmdOK", "&OK", this);
  QPushButton* apply = MakeButton("cmdApply", "&Apply", this);
  QPushButton* cancel = MakeButton("cmdCancel", "C&ancel", this);
  connect(ok, &QPushButton::clicked, this, &StackDialog::cmdOKClicked);
  connect(apply, &QPushButton::clicked, this, &StackDialog::cmdApplyClicked);
  connect(cancel, &QPushButton::clicked, this, &StackDialog::cmdCancelClicked);
  auto* button_column = new QVBoxLayout;
  button_column->addWidget(ok);
  button_column->addWidget(apply);
  button_column->addWidget(cancel);
  button_column->addStretch();

  auto* body = new QHBoxLayout;
  body->addSpacing(fontMetrics().averageCharWidth() * 4);
  body->addLayout(option_column);
  body->addStretch();
  body->addLayout(button_column);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addLayout(body);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void StackDialog::Mirror(int16_t count) {
  // An exclusive group cannot show no selection: a count without an option
  // leaves "One" selected, as a freshly opened dialog shows it.
  const int index = count >= 1 && count <= 5 ? count - 1 : 0;
  options_[index]->setChecked(true);
}

void StackDialog::closeEvent(QCloseEvent* event) {
  // Closing through the frame (or by the system at the end of the session)
  // is Cancel; the window logic then forgets the dialog.
  event->accept();
  emit cmdCancelClicked();
}

void StackDialog::keyPressEvent(QKeyEvent* event) {
  const bool bare = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (bare && event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  if (bare && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
      button->click();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

}  // namespace tov::qt
