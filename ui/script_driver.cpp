#include "ui/script_driver.h"

#include "core/text_file.h"
#include "ui/recording_desktop.h"
#include "ui/runtime.h"

namespace nubera {

namespace {

struct Target {
  ScreenId screen;
  std::string control;
  std::string rest;  // what follows the control, after one blank
};

class Driver {
 public:
  Driver(const ScreenSet& screens, FileSystem& files, std::ostream& out)
      : files_(files),
        out_(out),
        desktop_([this](const std::string& line) { out_ << line << "\n"; }),
        runtime_(screens, files, desktop_) {}

  void run(std::istream& in) {
    std::string line;
    while (!runtime_.ended() && std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.starts_with("#! ")) {
        try {
          setUp(line.substr(3));
        } catch (const FileError& e) {
          error(e.what());
        }
        continue;
      }
      if (line.empty() || line.front() == '#') continue;
      command(line);
    }
  }
  bool hadError() const { return error_; }

 private:
  void error(const std::string& text) {
    out_ << "error " << text << "\n";
    error_ = true;
  }

  // A set-up line: folders and files made in the program folder before the program starts.
  void setUp(const std::string& line) {
    auto blank = line.find(' ');
    const std::string word = line.substr(0, blank);
    std::string args = blank == std::string::npos ? "" : line.substr(blank + 1);
    // A folder's path may hold blanks; a file's path ends at the first one.
    blank = word == "dir" ? std::string::npos : args.find(' ');
    const std::string path = args.substr(0, blank);
    const std::string text = blank == std::string::npos ? "" : args.substr(blank + 1);
    if ((word != "dir" && word != "file") || path.empty()) return error("bad set-up: " + line);
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
      auto slash = path.find('/', start);
      parts.push_back(path.substr(start, slash - start));
      if (slash == std::string::npos) break;
      start = slash + 1;
    }
    std::string full = files_.programDirectory();
    for (std::size_t i = 0; i < parts.size(); ++i) {
      if (parts[i] == "..") return error("set-up outside the program folder: " + path);
      if (parts[i].empty()) continue;
      full = files_.join(full, parts[i]);
      const bool last = i + 1 == parts.size();
      if ((!last || word == "dir") && !files_.isDirectory(full)) files_.makeDirectory(full);
    }
    if (word == "dir") return;
    writeLines(files_, full, {expand(text)});
  }

  // A set-up text with {DIR} as the program folder (the path after it in the folder's own
  // separators), {NUL} as a NUL character and {CR} as a carriage return.
  std::string expand(const std::string& text) const {
    std::string out;
    bool afterDir = false;
    for (std::size_t pos = 0; pos < text.size();) {
      if (text.compare(pos, 5, "{DIR}") == 0) {
        out += files_.programDirectory();
        afterDir = true;
        pos += 5;
      } else if (text.compare(pos, 5, "{NUL}") == 0) {
        out += '\0';
        pos += 5;
      } else if (text.compare(pos, 4, "{CR}") == 0) {
        out += '\r';
        pos += 4;
      } else {
        out += afterDir && text[pos] == '/' ? files_.separator() : text[pos];
        ++pos;
      }
    }
    return out;
  }

  // SCREEN [CONTROL [REST]] after the command word.
  std::optional<Target> target(const std::string& args, bool needControl) {
    Target t;
    auto blank = args.find(' ');
    std::string screen = args.substr(0, blank);
    auto id = screenFromName(screen);
    if (!id) {
      error("unknown screen: " + screen);
      return std::nullopt;
    }
    t.screen = *id;
    if (!needControl) return t;
    if (blank == std::string::npos) {
      error("no control given");
      return std::nullopt;
    }
    std::string after = args.substr(blank + 1);
    auto blank2 = after.find(' ');
    t.control = after.substr(0, blank2);
    if (blank2 != std::string::npos) t.rest = after.substr(blank2 + 1);
    return t;
  }

  // The screen exists and is shown, and the control exists and is shown.
  const ScreenInstance* actionable(const Target& t, bool needControl) {
    const ScreenInstance* inst = runtime_.find(t.screen);
    std::string name(screenName(t.screen));
    if (!inst) {
      error(name + " does not exist");
      return nullptr;
    }
    if (!inst->visible) {
      error(name + " is not visible");
      return nullptr;
    }
    if (!needControl) return inst;
    int i = inst->decl().indexOf(t.control);
    if (i < 0) {
      error(name + " has no control " + t.control);
      return nullptr;
    }
    if (!inst->controls[i].visible) {
      error(name + " " + t.control + " is hidden");
      return nullptr;
    }
    return inst;
  }

  bool isTextBox(const ScreenInstance& inst, const std::string& control) {
    if (inst.decl().controls[inst.decl().indexOf(control)].kind == ControlKind::TextBox) {
      return true;
    }
    error(std::string(screenName(inst.id())) + " " + control + " is not a text box");
    return false;
  }

  void command(const std::string& line) {
    auto blank = line.find(' ');
    std::string word = line.substr(0, blank);
    std::string args = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (word == "start") {
      runtime_.start();
    } else if (word == "click") {
      if (auto t = target(args, true); t && actionable(*t, true)) {
        runtime_.userClick(t->screen, t->control);
      }
    } else if (word == "type" || word == "paste") {
      auto t = target(args, true);
      const ScreenInstance* inst = t ? actionable(*t, true) : nullptr;
      if (!inst || !isTextBox(*inst, t->control)) return;
      if (word == "paste" || t->rest.empty()) {
        runtime_.userEdit(t->screen, t->control, t->rest);
      } else {
        typeText(*t);
      }
    } else if (word == "key") {
      if (auto t = target(args, false); t && actionable(*t, false)) runtime_.userKey(t->screen);
    } else if (word == "close") {
      if (auto t = target(args, false); t && actionable(*t, false)) runtime_.userClose(t->screen);
    } else if (word == "get") {
      get(args);
    } else if (word == "state") {
      state();
    } else {
      error("unknown command: " + word);
    }
  }

  // The first character replaces the selected text, each further one is appended to what the
  // field holds at that moment; each keystroke is one change.
  void typeText(const Target& t) {
    std::size_t pos = 0;
    bool first = true;
    while (pos < t.rest.size() && !runtime_.ended()) {
      std::size_t len = 1;
      auto c = static_cast<unsigned char>(t.rest[pos]);
      if (c >= 0xF0) {
        len = 4;
      } else if (c >= 0xE0) {
        len = 3;
      } else if (c >= 0xC0) {
        len = 2;
      }
      std::string ch = t.rest.substr(pos, len);
      pos += len;
      const ScreenInstance* inst = runtime_.find(t.screen);
      if (!inst || !inst->visible) break;
      std::string current = first ? "" : inst->controls[inst->decl().indexOf(t.control)].text;
      runtime_.userEdit(t.screen, t.control, current + ch);
      first = false;
    }
  }

  void get(const std::string& args) {
    auto t = target(args, true);
    if (!t) return;
    const ScreenInstance* inst = runtime_.find(t->screen);
    std::string name(screenName(t->screen));
    if (!inst) return error(name + " does not exist");
    int i = inst->decl().indexOf(t->control);
    if (i < 0) return error(name + " has no control " + t->control);
    const ControlState& c = inst->controls[i];
    std::string value = inst->decl().controls[i].kind == ControlKind::OptionButton
                            ? (c.checked ? "true" : "false")
                            : c.text;
    out_ << "value " << name << " " << t->control << " " << value << "\n";
  }

  void state() {
    out_ << "screens";
    for (ScreenId id : kAllScreens) {
      if (const ScreenInstance* inst = runtime_.find(id)) {
        out_ << " " << screenName(id) << (inst->visible ? ":visible" : ":hidden");
      }
    }
    out_ << "\n";
  }

  FileSystem& files_;
  std::ostream& out_;
  RecordingDesktop desktop_;
  Runtime runtime_;
  bool error_ = false;
};

}  // namespace

int runScript(const ScreenSet& screens, FileSystem& files, std::istream& in, std::ostream& out) {
  Driver driver(screens, files, out);
  driver.run(in);
  out.flush();
  return driver.hadError() ? 1 : 0;
}

}  // namespace nubera
