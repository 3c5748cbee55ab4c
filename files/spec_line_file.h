#pragma once
// The linearity specification of a model (model name + ".SpecLine" in
// Path_SpecLine_Lin): an upper (0) and a lower (1) limit curve, each given by
// an "n_Node" line with its node count and that many node lines
// "<key> = <point>,<limit>". Between neighbouring nodes the limit is linear;
// it is held per linearity point in hundredths.

#include <string>
#include <string_view>

#include "core/state.h"
#include "window/frm_main.h"

namespace morva {

inline constexpr int32_t kDefaultSpecLimit = 150;  // +-1.50 without a spec-line file

std::string SpecLineFilePath(const MainState& st, std::string_view modelName);

// Builds curve c of SpecLine_Lin from its nodes: for each pair of
// neighbouring nodes every point from the first to the second (inclusive)
// gets the nearest whole hundredth of the straight line between them.
// Points outside 0..100 are not written; a pair at the same point, or in
// falling order, writes nothing. Points outside the nodes keep their limits.
void Build_SpecLine(SpecLineState& spec, int c);

// Reads both curves' nodes (at most 10 per curve are kept; the node lines of
// a larger count are read over) and builds the curves. A file that ends
// before a curve's "n_Node" line leaves that curve as it was, with no nodes.
void Read_SpecLineFile(FrmMain& w);

// The limits without a spec-line file: +1.50 and -1.50 for points
// 1..nData_LinWF.
void Set_DefaultSpecLine(MainState& st);

}  // namespace morva
