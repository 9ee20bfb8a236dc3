// The engine's message boxes as the host's error channel. With a display a
// user can see (FERRO_HEADLESS unset), each box is shown as it is and only
// counted. Without one (FERRO_HEADLESS set, as scripts/wine-run.sh does when it
// starts its own hidden X server), each box becomes one line on stderr,
// "ferro CMD: TITLE: TEXT", and is closed at once with its Cancel button, else
// No, else OK, so that the engine stops what asked rather than going on.
#pragma once
#include <string>

namespace host {
class BoxReport {
public:
    explicit BoxReport(std::string command);
    ~BoxReport();
    BoxReport(const BoxReport&) = delete;
    BoxReport& operator=(const BoxReport&) = delete;
    // Boxes shown (or turned into lines) so far in this command.
    int count() const { return seen(); }
    static int seen();
    // Whether a report is in place (boxes are then safe to show: without a
    // display each one becomes a line and is answered at once).
    static bool active();
    static bool headless();
};
}  // namespace host
