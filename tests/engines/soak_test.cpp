// Load and soak: a long session of random designs on the shipped core
// database, both engines and the report, in one window. Nothing may fail,
// show "nan" or "inf", or make the process grow.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>

#include "engines/selected_core.h"
#include "fuzz/fuzz_checks.h"
#include "io/design_file_window.h"
#include "io/report.h"
#include "state/core_table_loader.h"
#include "ui/logic/frm_tov.h"

#if defined(__SANITIZE_ADDRESS__)
#define TOV_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOV_SANITIZED 1
#endif
#endif

namespace tov {
namespace {

#ifdef TOV_SANITIZED
constexpr bool kSanitized = true;
constexpr int kDesigns = 20'000;
#else
constexpr bool kSanitized = false;
constexpr int kDesigns = 100'000;
#endif
constexpr int kWarmDesigns = kDesigns / 10;

struct EndlessQuestions : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A user who takes what every box offers and never keeps the program waiting.
class AcceptingUi : public UserInterface {
 public:
  std::string problem;
  int answers = 0;

  void ShowMessage(std::string_view title, std::string_view text) override {
    if (fuzz::ShowsNonFinite(text)) problem = std::string(title) + ": " + std::string(text);
  }
  std::string AskInput(std::string_view prompt, std::string_view,
                       std::string_view answer) override {
    if (++answers > 32) throw EndlessQuestions(std::string(prompt));
    return std::string(answer);
  }
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest&) override { return {}; }
  void PrintReport(const ReportDocument&) override {}
  void ShowHelp(HelpRequest) override {}
};

// Resident pages of this process.
long ResidentPages() {
  long size = 0, resident = 0;
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) return 0;
  if (std::fscanf(statm, "%ld %ld", &size, &resident) != 2) resident = 0;
  std::fclose(statm);
  return resident;
}

class RandomDesigns {
 public:
  explicit RandomDesigns(FrmTov& frm) : frm_(frm) {}

  // Sets random inputs and options, then designs by search or on a random core.
  void Next() {
    WindowModel& w = frm_.Model();
    w.material = kMaterials[Pick(0, 3)];
    w.txtIdc.text = Number(0.01, 200);
    w.txtIdelta.text = Pick(0, 9) == 0 ? "0" : Number(0.01, 50);
    w.txtFreq.text = Number(0.05, 1000);
    w.txtCurDens.text = Number(50, 2000);
    w.txtLfl.text = Number(0.1, 50000);
    w.txtLnl.text = Number(0.1, 80000);
    w.txtTempInput.text = Number(1, 150);
    if (Pick(0, 49) == 0) w.txtLfl.text = "x";  // re-prompted with its default
    w.mnuLfl = Pick(0, 1) == 1;
    w.mnuSingleLayer = Pick(0, 3) == 0;
    w.state.StackCount = static_cast<int16_t>(Pick(1, 5));
    SetAmbientTemp(w.state, static_cast<float>(Pick(-50, 150)));
    w.state.UnitsFactor = Pick(0, 1) == 1 ? 25.4f : 1.0f;
    if (Pick(0, 1) == 0) {
      frm_.cmdCalculate_Click();
    } else {
      const MaterialSection s = SectionOf(w.material);
      w.state.CoreIdx = static_cast<int16_t>(Pick(s.first_row, s.last_core_row));
      DesignSelectedCore(frm_.Context(), w.state.CoreIdx);
    }
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  // A number spread evenly over the decades between low and high.
  std::string Number(double low, double high) {
    std::uniform_real_distribution<double> exponent(std::log10(low), std::log10(high));
    return std::to_string(std::pow(10.0, exponent(random_)));
  }

  FrmTov& frm_;
  std::mt19937 random_{20240611};
};

std::string NonFiniteText(const WindowModel& w) {
  for (const TextBox* box :
       {&w.txtTurns, &w.txtWire, &w.txtK, &w.txtDCR, &w.txtLOutfl, &w.txtLOutnl, &w.txtRollOff,
        &w.txtDim, &w.txtPfe, &w.txtPcu, &w.txtPtot, &w.txtTrise}) {
    if (fuzz::ShowsNonFinite(box->text)) return box->text;
  }
  for (const std::string& line : RenderReportText(BuildReport(w))) {
    if (fuzz::ShowsNonFinite(line)) return line;
  }
  return {};
}

TEST(SoakTest, ManyRandomDesignsInOneSessionStayFiniteAndFlat) {
  const CoreTableLoad load = LoadCoreTable(TOV_RUNTIME_DIR "/coredat");
  ASSERT_TRUE(load.table) << load.error;
  AcceptingUi ui;
  FrmTov frm(*load.table, ui);
  ApplyStartupDefaults(frm.Model());
  RandomDesigns designs(frm);

  long warm_pages = 0;
  for (int n = 1; n <= kDesigns; ++n) {
    ui.answers = 0;
    ASSERT_NO_THROW(designs.Next()) << "design " << n;
    ASSERT_EQ(ui.problem, "") << "design " << n;
    if (n % 16 == 0) {
      ASSERT_EQ(NonFiniteText(frm.Model()), "") << "design " << n;
    }
    if (n == kWarmDesigns) warm_pages = ResidentPages();
  }
  if (kSanitized) return;  // resident memory means nothing under the sanitizers
  const long grown_kB = (ResidentPages() - warm_pages) * (sysconf(_SC_PAGESIZE) / 1024);
  EXPECT_LT(grown_kB, 1024) << "resident memory grew by " << grown_kB << " kB";
}

}  // namespace
}  // namespace tov
