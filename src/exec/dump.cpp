// The --dump listing: what the caches hold once the run has ended, in source order.
#include "exec/dump.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "exec/block_cache.h"
#include "exec/dump_listing.h"
#include "expr/expr_cache.h"

namespace brindle {

Listing::Listing(const Interpreter& interpreter)
    : in(interpreter),
      names{interpreter.image, interpreter.values.var_num.data()},
      lines_(interpreter.source) {}

size_t Listing::OffsetOf(int p) const {
  return static_cast<size_t>(in.image.tokens.offset[p]);
}

SourcePosition Listing::PositionOf(int p) const {
  return lines_.AtToken(in.image.tokens, p);
}

std::string Listing::At(int p) const {
  if (p < 1 || p > in.image.tokens.count) return p < 1 ? "start" : "end";
  const SourcePosition at = PositionOf(p);
  return std::to_string(at.line) + ":" + std::to_string(at.column);
}

std::string_view Listing::LineText(int line) const {
  const size_t start = lines_.LineStart(static_cast<size_t>(line) - 1);
  const size_t end = lines_.LineEnd(static_cast<size_t>(line) - 1);
  std::string_view text = in.source.substr(start, end - start);
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  return text;
}

std::string_view Listing::SourceBetween(int first, int end) const {
  const size_t from = OffsetOf(first);
  const size_t to = end <= in.image.tokens.count ? OffsetOf(end) : in.source.size();
  std::string_view text = in.source.substr(from, to > from ? to - from : 0);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

std::string Listing::ProgramId(const Program* program) const {
  const auto found = program_ids.find(program);
  return found != program_ids.end() ? "E" + std::to_string(found->second) : "(none)";
}

std::string Listing::HeadId(const LoopHead* head) const {
  const auto found = head_ids.find(head);
  return found != head_ids.end() ? "H" + std::to_string(found->second) : "(none)";
}

namespace {

constexpr const char* kRuleNames[] = {"sum",       "factor",    "text",
                                      "text item", "condition", "assignment"};

struct HeadEntry {
  int position = 0;
  const LoopHead* head = nullptr;
};

std::vector<HeadEntry> CollectHeads(const BlockCache& blocks) {
  std::vector<HeadEntry> found;
  for (size_t p = 0; p < blocks.loop_heads.size(); ++p) {
    if (blocks.loop_heads[p] != nullptr)
      found.push_back({static_cast<int>(p), blocks.loop_heads[p]});
  }
  return found;
}

std::vector<const Region*> CollectRegions(const BlockCache& blocks) {
  std::vector<const Region*> found;
  for (const Region& region : blocks.regions) found.push_back(&region);
  std::stable_sort(found.begin(), found.end(),
                   [](const Region* a, const Region* b) { return a->entry < b->entry; });
  return found;
}

// Whether the region is the one its place runs now, or one that a newer compile replaced.
std::string RegionRole(const Region& region) {
  std::string role = region.dry ? "dry" : "pumping";
  const RegionSlots::Slot& slot = region.dry ? region.owner->dry : region.owner->pumping;
  if (slot.region != &region) role += ", replaced by a later compile";
  if (region.stale) role += ", stale";
  return role;
}

std::string Count(size_t n, const std::string& what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

std::string StackDepths(const Program& program) {
  if (program.text_depth == 0) return Count(program.number_depth, "number");
  if (program.number_depth == 0) return Count(program.text_depth, "text");
  return Count(program.number_depth, "number") + " and " + Count(program.text_depth, "text");
}

class Dumper {
 public:
  explicit Dumper(const Interpreter& in)
      : listing_(in),
        expressions_(KeptPrograms(ExprCacheOf(in))),
        heads_(CollectHeads(BlockCacheOf(in))),
        regions_(CollectRegions(BlockCacheOf(in))) {
    for (size_t k = 0; k < expressions_.size(); ++k) {
      listing_.program_ids[expressions_[k].program] = static_cast<int>(k) + 1;
    }
    for (size_t k = 0; k < heads_.size(); ++k) {
      listing_.head_ids[heads_[k].head] = static_cast<int>(k) + 1;
    }
  }

  std::string Dump();

 private:
  void Append(const HeadEntry& entry);
  void Append(const Region& region, int id);
  void Append(const KeptProgram& entry);
  void AppendLineHeader(int position);
  void AppendSourceLines(std::string_view text);

  Listing listing_;
  std::vector<KeptProgram> expressions_;
  std::vector<HeadEntry> heads_;
  std::vector<const Region*> regions_;
  std::string out_;
  int line_ = -1;  // the source line whose entries are being listed
};

void Dumper::AppendLineHeader(int position) {
  const int line = position >= 1 && position <= listing_.in.image.tokens.count
                       ? listing_.PositionOf(position).line
                       : 0;
  if (line == line_) return;
  line_ = line;
  if (line == 0) {
    out_ += "\nbeyond the script's tokens\n";
  } else {
    out_ += "\nline " + std::to_string(line) + ": " + std::string(listing_.LineText(line)) + "\n";
  }
}

void Dumper::Append(const HeadEntry& entry) {
  const LoopHead& head = *entry.head;
  const auto& names = listing_.names;
  auto comparison = [&](const LoopComparison& c) {
    if (c.bad_operand != 0) return "bad operand at " + listing_.At(c.bad_operand);
    const std::string right =
        c.right_var != 0 ? names.image.symbols.var_name[c.right_var] : NumberText(c.right_number);
    return names.image.symbols.var_name[c.left_var] + " " + OperatorText(c.op) + " " + right;
  };
  std::string condition = comparison(head.first);
  if (head.join != 0) condition += " " + OperatorText(head.join) + " " + comparison(head.second);
  out_ += "  " + listing_.HeadId(&head) + "  WHILE head at " + listing_.At(entry.position) + ": " +
          condition + "\n";
  out_ += "      body from " + listing_.At(head.body + 1) + ", on after the loop at " +
          listing_.At(head.after + 1) + "\n";
  auto slot = [&](const char* name, const RegionSlots::Slot& s) {
    if (s.compiles == 0) return;
    out_ += std::string("      ") + name + " region compiled " + std::to_string(s.compiles) +
            (s.compiles == 1 ? " time\n" : " times\n");
  };
  slot("dry", head.regions.dry);
  slot("pumping", head.regions.pumping);
}

void Dumper::Append(const Region& region, int id) {
  const std::string where = region.of_loop ? ") of the WHILE at " : ") going on after ";
  out_ += "  R" + std::to_string(id) + "  region (" + RegionRole(region) + where +
          listing_.At(region.entry) + ", " + std::to_string(region.ops.size()) + " ops\n";
  AppendRegionOps(region, listing_, out_);
}

// Source text of several lines (assignments that follow each other are one program): each line
// after the first under the first.
void Dumper::AppendSourceLines(std::string_view text) {
  const size_t column = out_.size() - out_.rfind('\n') - 1;
  for (;;) {
    const size_t feed = text.find('\n');
    std::string_view line = text.substr(0, feed);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    out_.append(line).push_back('\n');
    if (feed == std::string_view::npos) return;
    text.remove_prefix(feed + 1);
    out_.append(column, ' ');
  }
}

void Dumper::Append(const KeptProgram& entry) {
  const Program& program = *entry.program;
  out_ += "  " + listing_.ProgramId(&program) + "  " + kRuleNames[static_cast<int>(entry.rule)] +
          " at " + listing_.At(entry.position);
  if (entry.cur != entry.position)
    out_ += " (read while on the token at " + listing_.At(entry.cur) + ")";
  out_ += ": ";
  AppendSourceLines(listing_.SourceBetween(entry.position, program.end.exec_pos));
  if (program.takes_var != 0) {
    out_ += "      appends in place to " +
            listing_.names.image.symbols.var_name[program.takes_var] + "\n";
  }
  out_ += "      stack code, " + StackDepths(program) + " deep:\n";
  AppendStackCode(program, listing_.names, "      ", out_);
  if (program.direct != nullptr) {
    out_ += program.direct->pure ? "      three-address code, pure:\n"
                                 : "      three-address code, with the interpreter:\n";
    AppendDirectCode(program, listing_.names, "      ", out_);
  }
}

std::string Dumper::Dump() {
  out_ = "== compiled by the run of " + listing_.in.script_path + ": " +
         Count(expressions_.size(), "expression") + ", " + Count(heads_.size(), "WHILE head") +
         ", " + Count(regions_.size(), "region") + "\n";
  if (listing_.in.slow_paths) out_ += "(BRINDLE_SLOW_PATHS is set: the run compiles nothing)\n";
  // On a WHILE, its head first, then the loop's regions, then the expressions read there.
  enum Kind { kHead, kRegion, kExpression };
  struct Item {
    int position;
    Kind kind;
    size_t index;
  };
  std::vector<Item> items;
  for (size_t k = 0; k < heads_.size(); ++k) items.push_back({heads_[k].position, kHead, k});
  for (size_t k = 0; k < regions_.size(); ++k) {
    items.push_back({regions_[k]->entry, kRegion, k});
  }
  for (size_t k = 0; k < expressions_.size(); ++k) {
    items.push_back({expressions_[k].position, kExpression, k});
  }
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
    return std::tie(a.position, a.kind) < std::tie(b.position, b.kind);
  });
  for (const Item& item : items) {
    AppendLineHeader(item.position);
    switch (item.kind) {
      case kHead:
        Append(heads_[item.index]);
        break;
      case kRegion:
        Append(*regions_[item.index], static_cast<int>(item.index) + 1);
        break;
      case kExpression:
        Append(expressions_[item.index]);
        break;
    }
  }
  return out_;
}

}  // namespace

std::string DumpCompiledCode(const Interpreter& in) {
  return Dumper(in).Dump();
}

}  // namespace brindle
