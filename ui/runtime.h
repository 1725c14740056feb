#pragma once
// The screen runtime: one instance per screen kind at most, created on first
// use with its load handler run; fields whose change handler runs, inside the
// assignment, only when the text differs; unload, show, modal show, end.

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/file_system.h"
#include "ui/desktop.h"
#include "ui/screen_decl.h"

namespace nubera {

struct ControlState {
  std::string text;
  bool visible = true;
  bool checked = false;  // option buttons, and markers while their field holds their value
};

struct ScreenInstance {
  const ScreenKind* kind;
  bool visible = false;
  bool modal = false;
  std::vector<ControlState> controls;

  ScreenId id() const { return kind->decl.id; }
  const ScreenDecl& decl() const { return kind->decl; }
  // Throws std::logic_error for a control the screen does not have.
  int index(std::string_view control) const;
  ControlState& at(std::string_view control) { return controls[index(control)]; }
};

class Runtime {
 public:
  Runtime(const ScreenSet& screens, FileSystem& files, Desktop& desktop);
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // The program starts: its first screen is shown.
  void start(ScreenId first = ScreenId::frmSplash);
  bool ended() const { return ended_; }

  // The user's events, as a backend or the scripted driver reports them. Each runs its
  // handlers to the end; a failure is shown in one message box and the screens stay. When
  // the event leaves no screen visible, the remaining screens are unloaded and the program ends.
  void userClick(ScreenId id, std::string_view control);
  void userEdit(ScreenId id, std::string_view control, const std::string& text);
  void userKey(ScreenId id);
  void userClose(ScreenId id);

  // Inspection that never creates a screen.
  const ScreenInstance* find(ScreenId id) const;

  // The operations of the handlers. Using a field of a screen that does not exist creates it
  // (hidden) and runs its load handler first.
  std::string text(ScreenId id, std::string_view control);
  void setText(ScreenId id, std::string_view control, const std::string& text);
  bool checked(ScreenId id, std::string_view control);
  // Chooses an option button; when it was not chosen, runs its click handler.
  void choose(ScreenId id, std::string_view control);
  void setVisible(ScreenId id, std::string_view control, bool visible);
  void show(ScreenId id);
  // Shows the screen modally and waits until it is closed.
  void showModal(ScreenId id);
  void hide(ScreenId id);
  // Destroys the screen and its values; a screen that does not exist is left alone.
  void unload(ScreenId id);
  // Every screen closed; the running handler stops here.
  [[noreturn]] void endProgram();

  // Message box, style 0, with the application title.
  void message(const Message& m);
  // The help button: the help file at its contents, owned by the screen's window; where it
  // cannot be shown, a message says which page.
  void help(ScreenId window);

  FileSystem& files() { return files_; }
  // A failed file operation as the user reads it: what failed and why, and, where a folder
  // refused, which one, or that the program's own folder refuses.
  Message failure(const FileError& e) const;
  // A message's words, from the screens' table.
  std::string say(const Message& m) const;

 private:
  // Runs the body of the user's event on screen `id` (none: the start), which owns the
  // message boxes it raises.
  template <class F>
  void userEvent(std::optional<ScreenId> id, F&& body);
  std::shared_ptr<ScreenInstance> ensure(ScreenId id);
  void runHandler(const Handler& handler);
  bool anyVisible() const;
  // The markers that choose a value of the field, each chosen while the field holds its value:
  // those that changed.
  static std::vector<int> markChoices(ScreenInstance& inst, int field);
  void closeAll();

  ScreenSet screens_;
  FileSystem& files_;
  Desktop& desktop_;
  std::array<std::shared_ptr<ScreenInstance>, kScreenCount> live_{};
  bool ended_ = false;
  int handlerDepth_ = 0;
  std::optional<ScreenId> eventScreen_;
};

}  // namespace nubera
