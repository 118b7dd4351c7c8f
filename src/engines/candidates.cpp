#include "engines/candidates.h"

#include <algorithm>

#include "engines/header_choice.h"
#include "engines/search_walk.h"

namespace tov {
namespace {

constexpr std::array<std::string_view, kCandidateTestCount> kTestNames = {
    "fill", "full_load_l", "no_load_l", "single_layer", "winding", "temperature"};

TestMargin Margin(bool applies, bool passes, double value, double limit) {
  return {applies || !passes, passes, value, limit};
}

// Judges `row` on the walk as the search would, and its losses even where
// the search would not compute them: a row that fails a test is wound and
// heated on a copy of the walk's values, so the walk goes on as the search's.
Candidate Judge(SearchWalk& walk, const CoreTable& cores, const DesignRequest& request,
                int16_t row) {
  const RowTests t = walk.Evaluate(row);
  WindingHeat heat;
  if (t.Pass()) {
    walk.WindAndHeat();
    heat = walk.heat();
  } else {
    heat = walk.HeatOfLastRow();
  }

  Candidate c;
  c.material = walk.material().material;
  c.row = row;
  c.stack_count = walk.effects().stack_count;
  c.design = walk.Result(row, heat);
  c.wound = heat.fits;
  const bool e_core = walk.material().e_core;
  c.part_number = cores.PartNumber(row, e_core);
  if (e_core) {
    c.header = cores.Display(row, CoreColumn::BobbinPN);
  } else if (heat.fits) {
    c.header = ChooseHeader(heat.ODw, heat.HTw);
  }

  // Inductances as the columns show them: uH of the whole stack.
  const double uH = 1000.0 * c.stack_count;
  const auto test = [&c](CandidateTest which) -> TestMargin& {
    return c.tests[static_cast<std::size_t>(which)];
  };
  test(CandidateTest::Fill) = Margin(true, t.FillPasses(), t.fill, t.fill_limit);
  test(CandidateTest::FullLoadL) = Margin(true, t.FullLoadPasses(), uH * t.Lfl, uH * t.Ltarget);
  test(CandidateTest::NoLoadL) =
      Margin(request.full_load_l_max, t.NoLoadPasses(), uH * t.Lnl, uH * t.Lmax);
  test(CandidateTest::SingleLayer) =
      Margin(walk.effects().single_layer, t.SingleLayerPasses(), t.ID, t.IDreq);
  if (!e_core) {
    const double wires = static_cast<double>(c.design.N) * c.design.strands;
    test(CandidateTest::Winding) = Margin(false, heat.fits, wires, heat.wires_placed);
  }
  if (heat.fits) {
    const float Tallow = walk.inputs().Tallow;
    test(CandidateTest::Temperature) = Margin(true, !(heat.dT > Tallow), heat.dT, Tallow);
  }
  return c;
}

void EvaluateMaterial(const DesignRequest& request, const CoreTable& cores,
                      std::vector<Candidate>& out, Notices& notices) {
  SearchWalk walk(request, cores);
  for (const Notice& notice : walk.notices()) {
    const bool known = std::find(notices.begin(), notices.end(), notice) != notices.end();
    if (notice.kind == NoticeKind::WireTooLarge && !known) notices.push_back(notice);
  }

  const MaterialSection section = walk.material().section;
  const int16_t start = walk.StartRow();
  for (int16_t row = section.first_row; row < start; ++row) {
    walk.Restart();
    out.push_back(Judge(walk, cores, request, row));
  }
  walk.Restart();
  bool picked = false;
  for (int16_t row = start; !walk.IsEndRow(row); ++row) {
    Candidate c = Judge(walk, cores, request, row);
    c.search_start = row == start;
    c.search_pick = !picked && c.Passes();
    picked = picked || c.search_pick;
    out.push_back(std::move(c));
  }
}

}  // namespace

std::string_view TestName(CandidateTest test) {
  return kTestNames[static_cast<std::size_t>(test)];
}

bool Candidate::Passes() const {
  return std::all_of(tests.begin(), tests.end(), [](const TestMargin& m) { return m.passes; });
}

std::vector<std::string_view> Candidate::FailedTests() const {
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i < tests.size(); ++i) {
    if (!tests[i].passes) names.push_back(kTestNames[i]);
  }
  return names;
}

CandidateSet EvaluateCandidates(const DesignRequest& request, const CoreTable& cores,
                                const CandidateScope& scope) {
  CandidateSet set;
  std::vector<int16_t> stacks = scope.stacks;
  if (stacks.empty()) stacks.push_back(request.stack_count);
  std::size_t rows = 0;
  for (Material material : scope.materials) {
    const MaterialSection section = SectionOf(material);
    const auto section_rows =
        static_cast<std::size_t>(section.last_core_row - section.first_row + 1);
    rows += IsECore(material) ? section_rows : section_rows * stacks.size();
  }
  set.candidates.reserve(rows);
  for (Material material : scope.materials) {
    DesignRequest r = request;
    r.material = material;
    if (IsECore(material)) {
      // Never stacked: a stack count above one goes back to one, as in Calculate.
      r.stack_count = std::min(request.stack_count, int16_t{1});
      EvaluateMaterial(r, cores, set.candidates, set.notices);
      continue;
    }
    for (int16_t stack : stacks) {
      r.stack_count = stack;
      EvaluateMaterial(r, cores, set.candidates, set.notices);
    }
  }
  return set;
}

}  // namespace tov
