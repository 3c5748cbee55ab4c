#pragma once
// Steps the two measurement runs share: one acquisition with its verdict,
// the end of a run that failed, the recorder's OSP, and holding a setting
// at the value a phase of the run started with.

#include <cstdint>
#include <string>

#include "window/frm_main.h"

namespace morva {

// One acquisition through the procedure table. True only when the samples
// were copied into ADData and the board is idle again; false after any
// failure (the acquisition has reported it), and once the program ended.
bool Acquire_Once(FrmMain& w);

// The end of a run that could not go on (a failed acquisition, no usable
// sensitivity): the run flags cleared, the peak-hold timer stopped, the
// condition labels and buttons reset, the progress panel hidden. No
// result, no "Finish !!", no OSP, no save.
void End_FailedRun(FrmMain& w);

// "OSP" to the recorder when RemoteControl is 1 (the end of a measurement).
void Send_OSP(FrmMain& w);

// Lines, channels and slots of the arrays: the counts the runs use,
// limited to what the arrays hold.
int32_t SensLoopCount(int32_t nLoop_MsrSens);       // 1..20
int32_t LinFinalCount(int32_t nLoop_LinFinalData);  // at least 1

// Holds `field` at `value` while a phase of a run uses it: the computation
// reads the loop counts from the state, and a count typed while the phase
// runs must not change that phase. apply() before each use puts the held
// value back and keeps a typed one; the end of the scope leaves the field
// as typed (or as it was, when nothing was typed).
template <typename T>
class HeldValue {
  public:
    HeldValue(T& field, T value) : field_(field), stored_(field), held_(value) { field_ = held_; }
    ~HeldValue() {
        apply();
        field_ = stored_;
    }
    HeldValue(const HeldValue&) = delete;
    HeldValue& operator=(const HeldValue&) = delete;
    void apply() {
        if (field_ != held_) {
            stored_ = field_;
            field_ = held_;
        }
    }

  private:
    T& field_;
    T stored_;
    T held_;
};

// The message of a linearity run without a measured sensitivity, in the
// window's language ("Japanese" or else English).
std::string NoSensitivityMessage(const std::string& language);

}  // namespace morva
