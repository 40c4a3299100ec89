// Plain types shared by the application engine and its callers: the message
// dialog's parameters and results (toolkit), the window messages the engine
// handles (toolkit) and the window handle and copy-data record (platform).
#pragma once

#include "platform/WindowHandle.h"
#include "platform/WindowMessages.h"
#include "toolkit/controls/DialogTypes.h"
#include "toolkit/controls/WindowMessage.h"
