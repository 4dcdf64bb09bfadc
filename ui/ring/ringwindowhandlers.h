#pragma once

// What the ringing window does: it reads the alarm that came due from the
// table, plays its sound once, shakes if asked, shows the note, and ends with
// "停止", the close box or, for five minutes, "5分钟再响".

namespace RingWindow {

/// The four moves of the shake, one per shake timer.
enum class ShakeMove { Left, Down, Right, Up };

/// The window was created: caption, sound, shake and note of the ringing
/// slot's alarm, then the keep-on-top timer.
void startRinging();
/// "停止": silence, then the window closes once the click is handled.
void stopRinging();
/// "5分钟再响": both windows hidden while the thread sleeps five minutes,
/// then shown again with the default sound.
void snoozeRinging();
/// One tick of a shake timer: the window moves 10 pixels one way.
void shakeStep(ShakeMove move);
/// Once a minute: the window goes back to the middle of the screen.
void repositionRingWindow();
/// Every millisecond while ringing: the window stays above the others.
void keepRingWindowOnTop();
/// The window is being destroyed, whatever closed it: ends the ringing.
void ringWindowClosing();

} // namespace RingWindow
