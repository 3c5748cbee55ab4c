#pragma once
// The drive-tester query: the identity and life counters of the drive
// under test, read with eight commands and kept as the ten texts of
// VEKO_Info (serial number, model name, software version, the hours
// counters Operation, DumRun, TensOn, and the counts Loading, CL_SOL,
// Eject, HalfLoad).
//
// The conversions are plain functions of the reply text, so they can be
// checked without a line.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "window/frm_main.h"

namespace morva {

// Runs the eight queries in their fixed order and fills w.st.VEKO_Info. The
// transactions are not shown in the remote-control labels.
void GetDriveInfo_VEKO(FrmMain& w);

// Identity reply ("DD1:AB1234" to "QDD:1"): trimmed; when it holds the
// prefix, the text after the prefix's four characters; otherwise the whole
// trimmed reply ("Offline", "No Responce").
std::string IdentityEntry(std::string_view reply, std::string_view prefix);

// The blanks-trimmed reply.
std::string TrimBlanks(std::string_view reply);

// The hexadecimal part of a counter reply: its characters from the 12th on
// (empty for 11 characters or fewer).
std::string CounterHex(std::string_view reply);

// A hexadecimal text read as a number: its leading hexadecimal digits (an
// empty or non-hexadecimal text gives 0); 1 to 4 digits are a 16-bit two's-
// complement number (FFFF is -1, 8000 is -32768), 5 to 8 digits a 32-bit
// one. Digits past the eighth are not read.
int32_t HexValue(std::string_view hex);

// A 16-bit reading taken back to its unsigned value: below -1, 65536 is
// added (8000..FFFE give 32768..65534); -1 (FFFF, "no reading") stays.
int32_t UnsignedReading(int32_t value);

// Hours counter entry: "<minutes>min (<hours, 0.0>Hr)"; a hex part longer
// than 8 digits reads -1.
std::string HoursCounterEntry(std::string_view reply);

// The three counts of one reply: three 4-digit groups when the hex part has
// 12 characters, one value and two -1 when it has 4, otherwise three -1.
std::array<int32_t, 3> ThreeCounts(std::string_view reply);

// The single count: the first four hex characters.
int32_t SingleCount(std::string_view reply);

}  // namespace morva
