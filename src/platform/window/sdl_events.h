// The one SDL event queue. Whoever needs events pumps it through here:
// window events become Win32 messages in the message queue, keyboard and
// mouse events go to the input sink (the DirectInput layer). Mouse motion
// also becomes WM_MOUSEMOVE, so the frame can track the cursor.
#pragma once

union SDL_Event;

namespace platform {

// Drains SDL's queue and routes every event.
void PumpEvents();

// The DirectInput layer registers itself here; until then input events are dropped.
using InputEventSink = void (*)(const SDL_Event& event);
void SetInputEventSink(InputEventSink sink);

// Makes sure SDL's video and event subsystems are up (idempotent).
bool EnsureSdlVideo();

// Loads the OpenGL driver once the video subsystem is up and keeps it for the
// program's life. SDL would otherwise unload it with the last OpenGL window
// and load it again with the next (the adapter probe, each device, each
// window), and what the driver still holds when unloaded reads as leaked.
void HoldGlDriver();

}  // namespace platform
