#pragma once
// The RS-232C command transaction (module mdlRS232C_K43): one framed
// command written to the recorder or drive tester, the reply collected until
// its ETX or the 750 ms time-out of timer1.
//
// Wire format: request STX, command, ETX; reply ACK, STX, text, ETX. The
// reply text is what lies between the two leading characters and the ETX.

#include <string>

#include "window/frm_main.h"

namespace morva {

// The reply text of a transaction whose reply did not come in time.
inline constexpr const char* kOfflineReply = "Offline    ";
// The reply text of an answer without text.
inline constexpr const char* kNoReplyText = "No Responce";

// Sends `command` and returns the device's reply text, "Offline    " after
// the time-out or when the port cannot be used, "No Responce" when the reply
// has no text, or the empty text when another transaction is still waiting
// (nothing is sent then). Lets the user interface run while it waits.
std::string RS232C_Command(FrmMain& w, const std::string& command);

// The tick of timer1: the reply did not come.
void timer1_Timer(FrmMain& w);

// The reply text of a collected buffer (ACK, STX, text, ETX): the characters
// after the first two up to the ETX that ended the collection; characters
// after that ETX belong to no reply and are dropped. Line noise before the
// ACK and STX is dropped too: the text starts after the last STX before the
// ETX. A buffer too short to hold the two leading characters and the ETX,
// or one whose text is empty, gives "No Responce".
std::string ReplyText(const std::string& RcvBuffer);

}  // namespace morva
