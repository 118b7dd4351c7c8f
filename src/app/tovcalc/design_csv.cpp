#include "app/tovcalc/design_csv.h"

#include <array>
#include <charconv>

#include "app/tovcalc/utf8_text.h"
#include "state/message_text.h"

namespace tov::tovcalc {
namespace {

// The options a request may set, in the order of their columns; a check
// mark and its opposite share one column (1 checked, 0 unchecked).
constexpr std::array<OptionId, 13> kValueColumns = {
    OptionId::Material, OptionId::Idc,    OptionId::Ripple,     OptionId::Freq, OptionId::Density,
    OptionId::Lfl,      OptionId::Lnl,    OptionId::Trise,      OptionId::Core, OptionId::Stack,
    OptionId::Ambient,  OptionId::Metric, OptionId::AlTolerance};

constexpr std::string_view kResultHeader =
    "status,error,design_mode,core_row,part_number,stack_used,turns,gauge,strands,mu_e,"
    "l_full_load_uh,l_no_load_uh,fill,wound_od_in,wound_ht_in,dcr_ohm,core_loss_mw,"
    "copper_loss_mw,total_loss_mw,temp_rise_c,passes,failed,messages";

template <class T>
void AppendNumber(std::string& out, T value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value);
  out.append(text, end.ptr);
}

template <class T>
void Cell(std::string& out, T value) {
  out.push_back(',');
  AppendNumber(out, value);
}

void CheckMarkCell(std::string& out, const GivenOptions& given, OptionId on, OptionId off) {
  out.push_back(',');
  if (given.Has(on)) out.push_back('1');
  if (given.Has(off)) out.push_back('0');
}

}  // namespace

void AppendCsvCell(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    AppendValidUtf8(out, text);
    return;
  }
  std::string doubled;
  for (char c : text) {
    if (c == '"') doubled.push_back('"');
    doubled.push_back(c);
  }
  out.push_back('"');
  AppendValidUtf8(out, doubled);
  out.push_back('"');
}

void AppendCsvHeader(std::string& out) {
  out.append("line");
  for (OptionId id : kValueColumns) out.append(",").append(EntryOf(id).name);
  out.append(",single-layer,lfl-max,");
  out.append(kResultHeader);
  out.push_back('\n');
}

void AppendCsvLine(std::string& out, long long line, const GivenOptions& given, int status,
                   const std::string& error, const DesignController* form,
                   const std::vector<RecordedMessage>* messages) {
  AppendNumber(out, line);
  for (OptionId id : kValueColumns) {
    out.push_back(',');
    if (EntryOf(id).value_name.empty()) {
      if (given.Has(id)) out.push_back('1');
    } else if (given[id]) {
      AppendCsvCell(out, *given[id]);
    }
  }
  CheckMarkCell(out, given, OptionId::SingleLayer, OptionId::NoSingleLayer);
  CheckMarkCell(out, given, OptionId::LflMax, OptionId::NoLflMax);
  Cell(out, status);
  out.push_back(',');
  AppendCsvCell(out, error);
  if (!form) {
    out.append(std::string(21, ','));
    out.push_back('\n');
    return;
  }
  const WindowModel& w = form->Model();
  Cell(out, static_cast<int>(w.state.design_mode));
  Cell(out, w.state.core_row);
  out.push_back(',');
  const std::optional<DesignResult>& design = form->ShownDesign();
  if (design) {
    const CoreTable& cores = form->Cores();
    AppendCsvCell(out, cores.PartNumber(design->row, design->e_core));
    const DesignResult& r = *design;
    Cell(out, r.stack_count);
    Cell(out, r.N);
    Cell(out, r.G);
    Cell(out, r.strands);
    Cell(out, r.ue);
    // Inductances of the whole stack in uH, formed as the window shows them.
    Cell(out, 1000 * static_cast<double>(r.stack_count) * static_cast<double>(r.Lfl));
    Cell(out, 1000 * static_cast<double>(r.stack_count) * static_cast<double>(r.Lnl));
    Cell(out, r.fill);
    if (r.e_core) {
      out.append(",,");
    } else {
      Cell(out, r.ODw);
      Cell(out, r.HTw);
    }
    Cell(out, r.Rdc);
    Cell(out, r.Pfe);
    Cell(out, r.Pcu);
    Cell(out, r.Ptot);
    Cell(out, r.dT);
    // Whether every requirement check passes, and the keys of those that fail.
    const std::vector<RequirementCheck>& checks = form->Checks();
    out.append(AllPass(checks) ? ",1," : ",0,");
    std::string failed;
    for (const RequirementCheck& c : checks) {
      if (c.pass) continue;
      if (!failed.empty()) failed += ';';
      failed += DescriptorOf(c.kind).key;
    }
    out += failed;
  } else {
    out.append(std::string(17, ','));
  }
  out.push_back(',');
  std::string shown;
  for (const RecordedMessage& m : messages ? *messages : std::vector<RecordedMessage>{}) {
    if (!shown.empty()) shown += " | ";
    // Line breaks become single blanks.
    shown += m.title + ": ";
    for (char c : m.text) {
      if (c != kLineBreak) {
        shown.push_back(c);
      } else if (!shown.empty() && shown.back() != ' ') {
        shown.push_back(' ');
      }
    }
  }
  AppendCsvCell(out, shown);
  out.push_back('\n');
}

}  // namespace tov::tovcalc
