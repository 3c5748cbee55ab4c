#include "io/rs232c.h"

namespace morva {

namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';

// The port-failure message, shown once per run of failures.
void tellPortFailure(FrmMain& w, const std::string& portName, const std::string& error) {
    SerialLine& s = w.serial;
    if (s.flg_PortFailureShown) return;
    s.flg_PortFailureShown = true;
    std::string text = portName.empty() ? std::string("RS-232C: no serial port is set up")
                                        : "RS-232C: the serial port " + portName + " cannot be used";
    if (!error.empty()) text += " (" + error + ")";
    text += ".\nThe recorder is treated as off line.";
    w.msgBox(text, forms::msg::Exclamation);
}

// However the transaction is left (a test loop's failed wait included), the
// time-out timer stops, the port closes and the busy flag is cleared.
class TransactionScope {
  public:
    explicit TransactionScope(FrmMain& w) : w_(w) { w_.serial.flg_RS232C_Busy = -1; }
    ~TransactionScope() {
        w_.timer1.setEnabled(false);
        if (w_.serial.ComBox) w_.serial.ComBox->close();
        w_.serial.flg_RS232C_Busy = 0;
    }
    TransactionScope(const TransactionScope&) = delete;
    TransactionScope& operator=(const TransactionScope&) = delete;

  private:
    FrmMain& w_;
};

bool hasEtx(const SerialLine& s) {
    return s.RcvBuffer.find(s.ETX) != std::string::npos;
}

// The reply the time-out stands for.
void setOfflineReply(SerialLine& s) {
    s.RcvBuffer = s.ACK + s.STX + kOfflineReply + s.ETX;
    s.flg_RS232C_Reply = 0;
}

}  // namespace

std::string ReplyText(const std::string& RcvBuffer) {
    const size_t etx = RcvBuffer.find(kEtx);
    const size_t used = etx == std::string::npos ? RcvBuffer.size() : etx + 1;
    if (used < 3) return kNoReplyText;
    // Line noise before the reply's ACK and STX is not part of its text: the
    // text starts after the last STX before the ETX (for a clean reply that
    // is the second character, as always).
    size_t begin = 2;
    if (etx != std::string::npos && etx > 0) {
        const size_t stx = RcvBuffer.rfind(kStx, etx - 1);
        if (stx != std::string::npos && stx >= 1) begin = stx + 1;
    }
    if (begin >= used - 1) return kNoReplyText;
    return RcvBuffer.substr(begin, used - 1 - begin);
}

void timer1_Timer(FrmMain& w) {
    setOfflineReply(w.serial);
}

std::string RS232C_Command(FrmMain& w, const std::string& command) {
    SerialLine& s = w.serial;
    // A transaction asked for while another one waits for its reply (from a
    // timer, another button) is dropped.
    if (s.flg_RS232C_Busy == -1) return "";

    std::string portName;
    std::string error;
    bool reachedLine = false;
    std::string reply;
    {
        TransactionScope scope(w);
        forms::SerialPort* port = s.ComBox.get();
        if (port) portName = port->name();

        if (port && (port->isOpen() || port->open(error))) {
            // Stale characters from an earlier, timed-out reply must not be
            // taken for this one.
            port->discardInput();
            w.doEvents();
            if (!port->lineError().empty()) {
                error = port->lineError();
            } else if (port->write(s.STX + command + s.ETX, error)) {
                reachedLine = true;
            }
        }

        if (reachedLine) {
            s.RcvChunk.clear();
            s.RcvBuffer.clear();
            w.timer1.setEnabled(true);
            for (;;) {
                s.RcvChunk = port->readAvailable();
                if (!s.RcvChunk.empty()) {
                    s.flg_RS232C_Reply = -1;
                    s.RcvBuffer += s.RcvChunk;
                }
                if (hasEtx(s)) break;
                if (!port->lineError().empty()) {
                    // The device vanished under the transaction.
                    error = port->lineError();
                    reachedLine = false;
                    setOfflineReply(s);
                    break;
                }
                if (w.app().ended()) {
                    setOfflineReply(s);
                    break;
                }
                w.loop().waitEvents();
                if (hasEtx(s)) break;  // the time-out has put its own reply in
            }
            w.timer1.setEnabled(false);
            w.doEvents();
        } else {
            setOfflineReply(s);
        }
        // The scope closes the port and clears the busy flag.
        reply = ReplyText(s.RcvBuffer);
    }

    if (reachedLine) {
        s.flg_PortFailureShown = false;
    } else if (!w.app().ended()) {
        tellPortFailure(w, portName, error);
    }
    return reply;
}

}  // namespace morva
