#include "ui/runtime.h"

#include <utility>

#include "core/text.h"

namespace nubera {

namespace {

// Unwinds the running handler once the program has ended.
struct ProgramEnded {};

// Change handlers that kept assigning each other new texts.
struct HandlersNeverEnd : std::exception {};

// Change handlers that keep assigning each other new texts would never end.
constexpr int kMaxHandlerDepth = 200;

}  // namespace

int ScreenInstance::index(std::string_view control) const {
  int i = kind->decl.indexOf(control);
  if (i < 0) {
    throw std::logic_error(std::string(screenName(id())) + " has no control " +
                           std::string(control));
  }
  return i;
}

Runtime::Runtime(const ScreenSet& screens, FileSystem& files, Desktop& desktop)
    : screens_(screens), files_(files), desktop_(desktop) {
  // The screen set is indexed by ScreenId: a kind in another's place would run its handlers
  // for the wrong screen.
  for (std::size_t i = 0; i < kScreenCount; ++i) {
    if (screens_[i] && screens_[i]->decl.id != kAllScreens[i]) {
      throw std::logic_error("screen set out of order at " +
                             std::string(screenName(kAllScreens[i])));
    }
  }
  desktop_.runtime_ = this;
}

Runtime::~Runtime() {
  desktop_.runtime_ = nullptr;
}

template <class F>
void Runtime::userEvent(std::optional<ScreenId> id, F&& body) {
  if (ended_) return;
  // A modal screen runs further events inside this one: each owns its own boxes.
  const std::optional<ScreenId> outer = std::exchange(eventScreen_, id);
  try {
    body();
  } catch (const ProgramEnded&) {
  } catch (const FileError& e) {
    message(failure(e));
  } catch (const HandlersNeverEnd&) {
    message(Message(MessageId::Unexpected, {Message(MessageId::HandlersNeverEnd)}));
  } catch (const std::exception& e) {
    message(Message(MessageId::Unexpected, {std::string(e.what())}));
  }
  eventScreen_ = outer;
  // A program with no screen shown would linger invisibly: end it.
  if (!ended_ && !anyVisible()) closeAll();
}

Message Runtime::failure(const FileError& e) const {
  const std::string dir = files_.programDirectory();
  if (!e.denied()) return e.message();
  const std::string folder = files_.parentOf(e.path());
  // A folder inside the program's own (a video folder made read-only) is named as the one
  // that refused; moving the program would not help there.
  if (folder != dir) return e.message().then(MessageId::FolderRefuses, {folder});
  // The program was put where the user may not write (Program Files, a read-only disk): the
  // virtual server and the state files cannot be kept beside it.
  return Message(MessageId::ProgramFolderRefuses, {dir, e.path(), e.reason()});
}

std::string Runtime::say(const Message& m) const {
  return screens_.say ? screens_.say(m) : shape(m);
}

void Runtime::start(ScreenId first) {
  userEvent(std::nullopt, [&] {
    if (screens_.start) runHandler(screens_.start);
    show(first);
  });
}

void Runtime::userClick(ScreenId id, std::string_view control) {
  userEvent(id, [&] {
    auto inst = find(id);
    if (!inst) return;
    int i = inst->index(control);
    if (inst->decl().controls[i].kind == ControlKind::OptionButton) {
      choose(id, control);
      return;
    }
    auto it = inst->kind->clicks.find(control);
    if (it != inst->kind->clicks.end()) runHandler(it->second);
  });
}

void Runtime::userEdit(ScreenId id, std::string_view control, const std::string& text) {
  userEvent(id, [&] {
    if (find(id)) setText(id, control, text);
  });
}

void Runtime::userKey(ScreenId id) {
  userEvent(id, [&] {
    auto inst = find(id);
    if (inst && inst->kind->keyPress) runHandler(inst->kind->keyPress);
  });
}

void Runtime::userClose(ScreenId id) {
  userEvent(id, [&] {
    const ScreenInstance* inst = find(id);
    if (inst && inst->kind->close) {
      runHandler(inst->kind->close);
    } else {
      unload(id);
    }
  });
}

const ScreenInstance* Runtime::find(ScreenId id) const {
  return live_[static_cast<std::size_t>(id)].get();
}

std::shared_ptr<ScreenInstance> Runtime::ensure(ScreenId id) {
  if (ended_) throw ProgramEnded{};
  auto& slot = live_[static_cast<std::size_t>(id)];
  if (slot) return slot;
  const ScreenKind* kind = screens_[static_cast<std::size_t>(id)];
  if (!kind) throw std::logic_error("no screen " + std::string(screenName(id)));
  auto inst = std::make_shared<ScreenInstance>();
  inst->kind = kind;
  for (const auto& c : kind->decl.controls) inst->controls.push_back({c.text, c.visible, false});
  for (std::size_t i = 0; i < kind->decl.controls.size(); ++i)
    markChoices(*inst, static_cast<int>(i));
  // Registered before its load runs, so the load and the handlers it causes find it.
  slot = inst;
  desktop_.screenCreated(*inst);
  if (kind->load) runHandler(kind->load);
  return inst;
}

void Runtime::runHandler(const Handler& handler) {
  if (handlerDepth_ >= kMaxHandlerDepth) {
    throw HandlersNeverEnd{};
  }
  struct Depth {
    int& depth;
    explicit Depth(int& d) : depth(++d) {}
    ~Depth() { --depth; }
  } nested(handlerDepth_);
  handler(*this);
}

std::string Runtime::text(ScreenId id, std::string_view control) {
  auto inst = ensure(id);
  return inst->at(control).text;
}

void Runtime::setText(ScreenId id, std::string_view control, const std::string& text) {
  // The instance is held while its handler runs, even if the handler unloads it.
  auto inst = ensure(id);
  int i = inst->index(control);
  if (inst->controls[i].text == text) return;
  inst->controls[i].text = text;
  desktop_.controlChanged(*inst, i);
  for (int marker : markChoices(*inst, i)) desktop_.controlChanged(*inst, marker);
  auto it = inst->kind->changes.find(control);
  if (it != inst->kind->changes.end() && live_[static_cast<std::size_t>(id)] == inst) {
    runHandler(it->second);
  }
}

std::vector<int> Runtime::markChoices(ScreenInstance& inst, int field) {
  std::vector<int> changed;
  const auto& controls = inst.decl().controls;
  const std::string& text = inst.controls[static_cast<std::size_t>(field)].text;
  for (std::size_t j = 0; j < controls.size(); ++j) {
    if (controls[j].choiceField != controls[static_cast<std::size_t>(field)].name) continue;
    const bool chosen = foldCase(text) == foldCase(controls[j].choiceValue);
    if (inst.controls[j].checked == chosen) continue;
    inst.controls[j].checked = chosen;
    changed.push_back(static_cast<int>(j));
  }
  return changed;
}

bool Runtime::checked(ScreenId id, std::string_view control) {
  return ensure(id)->at(control).checked;
}

void Runtime::choose(ScreenId id, std::string_view control) {
  auto inst = ensure(id);
  int i = inst->index(control);
  if (inst->controls[i].checked) return;
  // Option buttons in the same container form one group.
  const auto& decls = inst->decl().controls;
  for (std::size_t j = 0; j < decls.size(); ++j) {
    if (decls[j].kind == ControlKind::OptionButton && decls[j].parent == decls[i].parent &&
        inst->controls[j].checked) {
      inst->controls[j].checked = false;
      desktop_.controlChanged(*inst, static_cast<int>(j));
    }
  }
  inst->controls[i].checked = true;
  desktop_.controlChanged(*inst, i);
  auto it = inst->kind->clicks.find(control);
  if (it != inst->kind->clicks.end()) runHandler(it->second);
}

void Runtime::setVisible(ScreenId id, std::string_view control, bool visible) {
  auto inst = ensure(id);
  int i = inst->index(control);
  if (inst->controls[i].visible == visible) return;
  inst->controls[i].visible = visible;
  desktop_.controlChanged(*inst, i);
}

void Runtime::show(ScreenId id) {
  auto inst = ensure(id);
  if (inst->visible) return;
  inst->visible = true;
  desktop_.screenShown(*inst, false);
}

void Runtime::showModal(ScreenId id) {
  auto inst = ensure(id);
  inst->visible = true;
  inst->modal = true;
  desktop_.screenShown(*inst, true);
  desktop_.runModal(id);
  if (ended_) throw ProgramEnded{};
}

void Runtime::hide(ScreenId id) {
  auto inst = ensure(id);
  if (!inst->visible) return;
  inst->visible = false;
  inst->modal = false;
  desktop_.screenHidden(id);
}

void Runtime::unload(ScreenId id) {
  auto& slot = live_[static_cast<std::size_t>(id)];
  if (!slot) return;
  slot.reset();
  desktop_.screenDestroyed(id);
}

void Runtime::closeAll() {
  for (ScreenId id : kAllScreens) unload(id);
  ended_ = true;
  desktop_.programEnded();
}

void Runtime::endProgram() {
  if (!ended_) closeAll();
  throw ProgramEnded{};
}

bool Runtime::anyVisible() const {
  for (const auto& inst : live_) {
    if (inst && inst->visible) return true;
  }
  return false;
}

void Runtime::message(const Message& m) {
  desktop_.messageBox(eventScreen_, say(m));
}

void Runtime::help(ScreenId window) {
  if (auto page = desktop_.help(window, kHelpFile, HelpTopic::Contents, "")) {
    message(Message(MessageId::HelpMissing, {*page}));
  }
}

}  // namespace nubera
