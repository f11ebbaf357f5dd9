#pragma once

class QWidget;

namespace quodlin {

// Ends the program once window has painted itself for the first time, when the environment
// variable QUODLIN_QUIT_WHEN_SHOWN is set; bench/startup.sh measures start-up that way.
void QuitWhenShownIfAsked(QWidget& window);

}  // namespace quodlin
