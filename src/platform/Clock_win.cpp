#include <windows.h>

#include "platform/WinServices.h"

namespace tallow {

namespace {

class TWinClock : public IClock {
  public:
    double Now() const override {
        SYSTEMTIME st;
        GetLocalTime(&st);
        return EncodeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
    }
};

}  // namespace

IClock& WinClock() {
    static TWinClock clock;
    return clock;
}

}  // namespace tallow
