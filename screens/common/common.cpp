#include "screens/common/common.h"

namespace nubera::screens {

ControlDecl helpButton(ControlName name, std::string caption, Rect r, double points) {
  return decl::button(name, std::move(caption), r)
      .withFont(points)
      .back(colour::kYellow)
      .spokenAs(say(Message(MessageId::HelpName)));
}

void unloadAll(Runtime& rt, std::initializer_list<ScreenId> screens) {
  for (ScreenId id : screens) rt.unload(id);
}

void readSiteFields(Runtime& rt, ScreenId screen, std::initializer_list<SiteFieldInto> reads) {
  Message failures(MessageId::OpRead);
  for (const auto& [field, file] : reads) {
    rt.setText(screen, field, "");
    try {
      rt.setText(screen, field, readSiteField(rt.files(), file));
    } catch (const FileError& e) {
      failures.then(MessageId::Line, {e.path()}).then(MessageId::Line, {e.reason()});
    }
  }
  if (!failures.next.empty()) rt.message(failures);
}

void addFragmentFields(ScreenDecl& decl, const FragmentTable& table) {
  for (const auto& [name, text] : table.rows()) decl.controls.push_back(decl::field(name, text));
}

FragmentTable fragmentsFromFields(Runtime& rt, ScreenId screen, const FragmentTable& table) {
  std::vector<FragmentTable::Row> rows;
  for (const auto& [name, text] : table.rows()) rows.emplace_back(name, rt.text(screen, name));
  return FragmentTable(std::move(rows));
}

}  // namespace nubera::screens
