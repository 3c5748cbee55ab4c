#pragma once
// The local date and time as the program stamps a saved file and builds an
// automatic file name. A save reads it once, so the name and the stamp in
// the file never disagree, not even across midnight.

namespace morva {

struct LocalDateTime {
    int Year = 2000, Month = 1, Day = 1;
    int Hour = 0, Minute = 0, Second = 0;
};

// The system's local time now.
LocalDateTime localDateTimeNow();

}  // namespace morva
