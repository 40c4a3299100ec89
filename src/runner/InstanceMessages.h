// Names of the registered window messages between program instances. The
// running instance's main window answers them; a second start sends them.
#pragma once

namespace tallow {

/// Answer: the receiver's "App.ID".
inline constexpr char kMsgGetAppID[] = "CL GetAppID";
/// The receiver ends itself; the answer is ignored.
inline constexpr char kMsgCloseApp[] = "CL CloseApp";
/// Answer 1: still starting up; anything else: ready.
inline constexpr char kMsgIfBusy[] = "CL IfBusy";

}  // namespace tallow
