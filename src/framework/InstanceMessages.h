// Names of the registered window messages the engine's owner window answers.
// The first three pass between program instances: the running instance's main
// window answers them; a second start sends them. The last two the engine posts
// to its own window.
#pragma once

namespace tallow {

/// Answer: the receiver's "App.ID".
inline constexpr char kMsgGetAppID[] = "CL GetAppID";
/// The receiver ends itself; the answer is ignored.
inline constexpr char kMsgCloseApp[] = "CL CloseApp";
/// Answer 1: still starting up; anything else: ready.
inline constexpr char kMsgIfBusy[] = "CL IfBusy";

/// The deferred start-up of the engine, posted once its owner has loaded.
inline constexpr char kMsgInitPost[] = "CL InitPost";
/// Hands the command-line parameter to the owner's OnCmdFile.
inline constexpr char kMsgCmdParam[] = "CL CmdParam";

}  // namespace tallow
