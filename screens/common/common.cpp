#include "screens/common/common.h"

#include "core/names.h"
#include "core/site_state.h"

namespace nubera::screens {

void unloadAll(Runtime& rt, std::initializer_list<ScreenId> screens) {
  for (ScreenId id : screens) rt.unload(id);
}

bool videoNameAccepted(Runtime& rt, const std::string& videoName) {
  if (videoName.empty()) {
    rt.message(kFillIn);
    return false;
  }
  if (auto problem = nameProblem(videoName, "ビデオ名", rt.files().windowsNames())) {
    rt.message(*problem);
    return false;
  }
  return true;
}

void writePass(Runtime& rt, const std::vector<PageFile>& files) {
  writePageFiles(rt.files(), files);
  rt.message(kSaved);
  rt.message(kDone);
}

void readSiteFieldInto(Runtime& rt, ScreenId screen, std::string_view field, SiteField which) {
  rt.setText(screen, field, "");
  try {
    rt.setText(screen, field, readSiteField(rt.files(), which));
  } catch (const FileError& e) {
    rt.message(e.userMessage());
  }
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
