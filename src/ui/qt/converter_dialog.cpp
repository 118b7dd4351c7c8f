#include "ui/qt/converter_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace tov::qt {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

std::string S(const QLineEdit* field) {
  return field->text().toStdString();
}

}  // namespace

ConverterDialog::ConverterDialog(const ConverterFormTexts& texts, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle("Converter");
  setObjectName("converterDialog");
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  topology_ = new QComboBox;
  topology_->setObjectName("topology");
  for (const TopologyInfo& t : kTopologies) topology_->addItem(Q(std::string(t.caption)));
  topology_->setCurrentIndex(static_cast<int>(texts.topology));
  form->addRow("&Topology:", topology_);
  const auto field = [&](const char* name, const char* label, const std::string& text) {
    auto* edit = new QLineEdit(Q(text));
    edit->setObjectName(name);
    form->addRow(label, edit);
    connect(edit, &QLineEdit::textChanged, this, &ConverterDialog::Update);
    return edit;
  };
  vin_ = field("vin", "Input voltage, V or VMIN:VMAX:", texts.vin);
  vac_ = field("vac", "Line voltage, VMIN:VMAX RMS:", texts.vac);
  fline_ = field("fline", "Line frequency, Hz:", texts.fline);
  vout_ = field("vout", "Output voltage, V:", texts.vout);
  iout_ = field("iout", "Output current, A:", texts.iout);
  pout_ = field("pout", "Output power, W:", texts.pout);
  fsw_ = field("fsw", "Switching frequency, kHz:", texts.fsw);
  ripple_percent_ =
      field("ripplePercent", "Ripple goal, % (empty: inductance):", texts.ripple_percent);
  inductance_ = field("inductance", "Inductance, uH:", texts.inductance_uh);
  efficiency_ = field("efficiency", "Efficiency, 0..1:", texts.efficiency);
  layout->addLayout(form);
  figures_ = new QLabel;
  figures_->setObjectName("figures");
  figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(figures_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(topology_, &QComboBox::currentIndexChanged, this, &ConverterDialog::Update);
  Update();
}

ConverterFormTexts ConverterDialog::Texts() const {
  ConverterFormTexts t;
  t.topology = kTopologies[static_cast<std::size_t>(topology_->currentIndex())].topology;
  t.vin = S(vin_);
  t.vac = S(vac_);
  t.vout = S(vout_);
  t.iout = S(iout_);
  t.pout = S(pout_);
  t.fline = S(fline_);
  t.fsw = S(fsw_);
  t.ripple_percent = S(ripple_percent_);
  t.inductance_uh = S(inductance_);
  t.efficiency = S(efficiency_);
  return t;
}

// The fields a topology takes are enabled; the figures follow the fields.
void ConverterDialog::Update() {
  const bool pfc = topology_->currentIndex() == static_cast<int>(Topology::PfcBoost);
  vin_->setEnabled(!pfc);
  iout_->setEnabled(!pfc);
  vac_->setEnabled(pfc);
  pout_->setEnabled(pfc);
  fline_->setEnabled(pfc);
  inductance_->setEnabled(ripple_percent_->text().isEmpty());
  const ConverterFormResult result = ReadConverterForm(Texts());
  figures_->setText(result.design ? Q(ConverterFigures(*result.request, *result.design))
                                  : Q(result.error));
}

void ConverterDialog::accept() {
  result_ = ReadConverterForm(Texts());
  if (!result_.design) {
    figures_->setText(Q(result_.error));
    return;
  }
  QDialog::accept();
}

}  // namespace tov::qt
