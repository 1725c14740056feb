#pragma once
// The desktop side of the platform: message boxes, help, and the drawing of
// screens that the runtime creates, changes, shows, hides and destroys.

#include <optional>
#include <string>

#include "ui/screen_decl.h"

namespace nubera {

struct ScreenInstance;
class Runtime;

inline constexpr const char* kHelpFile = "NUBERA.hlp";

// The program's own help, a page beside it whose top is its contents: what the desktops show
// where the system has no viewer for the named help file. Its name is the build's.
inline constexpr const char* kHelpPage = NUBERA_HELP_PAGE;

// Where the help opens; each desktop says it in its own help viewer's terms.
enum class HelpTopic { Contents };

class Desktop {
 public:
  virtual ~Desktop() = default;

  // A modal box with an OK button and no icon, titled with the application title, over the
  // window of `owner`: the screen whose event raised it (none before the first screen, or
  // when that screen is gone; then over the screen that is active). Returns when it is closed.
  virtual void messageBox(std::optional<ScreenId> owner, const std::string& prompt) = 0;
  // Opens the help file at the topic, owned by the window of the screen; nothing when it is
  // shown, else the page it could not show.
  virtual std::optional<std::string> help(ScreenId window, const std::string& file, HelpTopic topic,
                                          const std::string& data) = 0;

  // What the runtime does to screens, for a backend to draw.
  virtual void screenCreated(const ScreenInstance&) {}
  virtual void screenDestroyed(ScreenId) {}
  virtual void screenShown(const ScreenInstance&, bool /*modal*/) {}
  virtual void screenHidden(ScreenId) {}
  virtual void controlChanged(const ScreenInstance&, int /*controlIndex*/) {}
  // Waits while the screen, shown modally, stays shown; returns at once if it is not.
  virtual void runModal(ScreenId) {}
  virtual void programEnded() {}

 protected:
  // The runtime that drives this desktop. The runtime sets it when it is made, before it
  // makes any screen, so every window a desktop draws has it.
  Runtime& runtime() const { return *runtime_; }

 private:
  friend class Runtime;
  Runtime* runtime_ = nullptr;
};

}  // namespace nubera
