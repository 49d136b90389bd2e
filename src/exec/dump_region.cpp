// A region's operations in the --dump listing.
#include <cstdio>

#include "exec/dump_listing.h"
#include "expr/direct.h"

namespace brindle {
namespace {

std::string FlowText(Flow flow) {
  switch (flow) {
    case Flow::kTestEnd:
      return "then the end test";
    case Flow::kSkipEndTest:
      return "no end test";
    case Flow::kEndRun:
      return "the run ends";
  }
  return "";
}

std::string JumpText(int op) {
  return "-> " + std::to_string(op);
}

// How an assignment or condition runs: its three-address code from the region, else the
// program through the evaluator.
std::string CodeText(const RegionOp& op, const Listing& listing) {
  const std::string program = listing.ProgramId(op.program);
  if (op.code == nullptr) return program;
  return program + (op.pure ? ", three-address, pure" : ", three-address with the interpreter");
}

// Where a statement run by its own function must end for the region to go on.
std::string StatementEndText(const RegionOp& op, const Listing& listing) {
  if (op.end == 0) return "where it ends is not known yet: leaves";
  if (op.end < 0) return "went elsewhere: leaves";
  return "on when it ends at " + listing.At(op.end);
}

std::string ChainText(const RegionOp& op) {
  if (op.count == 1) return "1 comparison";
  return std::to_string(op.count) + (op.any ? " comparisons, any" : " comparisons, all");
}

struct OpText {
  const char* kind;
  std::string operands;
};

OpText Describe(const RegionOp& op, const Listing& listing) {
  const auto& tokens = listing.in.image.tokens;
  switch (op.kind) {
    case RegionOpKind::kPump:
      return {"Pump", "tokens to " + listing.At(op.last)};
    case RegionOpKind::kAssign:
      return {"Assign", CodeText(op, listing)};
    case RegionOpKind::kIf:
      if (op.program == nullptr) return {"If", "the last outcome; false " + JumpText(op.jump)};
      return {"If", CodeText(op, listing) + "; false " + JumpText(op.jump)};
    case RegionOpKind::kIfChain:
      return {"IfChain", listing.ProgramId(op.program) + ", " + ChainText(op) + "; false " +
                             JumpText(op.jump)};
    case RegionOpKind::kElse:
      return {"Else", "last outcome true " + JumpText(op.jump)};
    case RegionOpKind::kWhile:
      return {"While", listing.HeadId(op.head) + "; false " + JumpText(op.jump)};
    case RegionOpKind::kTurn:
      return {"Turn", listing.HeadId(op.head) + ", body " + listing.ProgramId(op.program)};
    case RegionOpKind::kWend:
      if (op.loop == 0) return {"Wend", "to the WHILE on the loop stack: leaves"};
      return {"Wend", "to the WHILE at " + listing.At(op.loop) + ", op " + std::to_string(op.jump)};
    case RegionOpKind::kGoto:
      return {"Goto", "to " + listing.At(op.target)};
    case RegionOpKind::kCall:
      return {"Call", tokens.text[op.position]};
    case RegionOpKind::kEndFn:
      return {"EndFn", "back to the call"};
    case RegionOpKind::kPset:
      return {"Pset", listing.ProgramId(op.program) + ", " + listing.ProgramId(op.program2)};
    case RegionOpKind::kStatement:
      return {"Statement", tokens.text[op.position] + ", " + StatementEndText(op, listing)};
    case RegionOpKind::kJump:
      return {"Jump", JumpText(op.jump)};
    case RegionOpKind::kExit:
      return {"Exit", "cursor on " + listing.At(op.position) + ", " + FlowText(op.exit_flow)};
    case RegionOpKind::kExitUnknown:
      return {"ExitUnknown", "cursor on " + listing.At(op.position) + ", " +
                                 FlowText(op.exit_flow) + "; not run before: remade"};
  }
  return {"?", ""};
}

// Jumps and exits are no statement of their own: they have no source position.
bool HasPosition(RegionOpKind kind) {
  return kind < RegionOpKind::kJump;
}

}  // namespace

void AppendRegionOps(const Region& region, const Listing& listing, std::string& out) {
  for (size_t k = 0; k < region.ops.size(); ++k) {
    const RegionOp& op = region.ops[k];
    const OpText text = Describe(op, listing);
    const std::string at = HasPosition(op.kind) ? listing.At(op.position) : "";
    char line[64];
    std::snprintf(line, sizeof line, "        %3zu  %-8s %-12s", k, at.c_str(), text.kind);
    out.append(line).append(text.operands).push_back('\n');
  }
  for (const ReturnSite& site : region.returns) {
    out.append("        return from the call at " + listing.At(site.call) + " " +
               JumpText(site.op) + "\n");
  }
}

}  // namespace brindle
