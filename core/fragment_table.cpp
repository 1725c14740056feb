#include "core/fragment_table.h"

#include <stdexcept>

namespace nubera {

const std::string& FragmentTable::operator[](std::string_view name) const {
  for (const auto& row : rows_) {
    if (row.first == name) return row.second;
  }
  throw std::out_of_range("no fragment row " + std::string(name));
}

const FragmentTable& quickFragments() {
  static const FragmentTable table({
      {"Text6", "http://"},
      {"Text7", "file://"},
      {"Text8", "/"},
      {"Text9", "\\"},
      {"Text10", "<HTML><HEAD><TITLE></TITLE></HEAD><BODY>"},
      {"Text11", "<P align=\"center\"><A href=\"./"},
      {"Text12",
       ".ram\" target=\"_blank\">ここをクリックしてみてください（リアルストリーミング）</A>"
       "です。</P>"},
      {"Text13", "</BODY></HTML>"},
      {"Text14", "<HTML><HEAD><TITLE></TITLE></HEAD>"},
      {"Text15", "<BODY><"},
      {"Text152", "><TABLE><TBODY><TR>"},
      {"Text16",
       "<TD><OBJECT id=\"Clip1\" classid=\"clsid:CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA\" "
       "height=\""},
      {"Text17", "\" width=\""},
      {"Text18", "\">"},
      {"Text19", "<PARAM name=\"SRC\" value=\""},
      {"Text20", ".rpm\">"},
      {"Text21", "<PARAM name=\"AUTOSTART\" value=\""},
      {"Text22", "<PARAM name=\"CONTROLS\" value=\"ImageWindow\">"},
      {"Text23", "<PARAM name=\"console\" value=\"Clip1\">"},
      {"Text24", "<EMBED src=\""},
      {"Text25", ".rpm\" width=\""},
      {"Text26", "\" height=\""},
      {"Text27", "\" autostart=\""},
      {"Text28", "\" console=\"Clip1\" CONTROLS=\"ImageWindow\"> <EMBED></OBJECT></TD></TR><TR>"},
      {"Text29",
       "<TD><OBJECT id=\"Clip1\" classid=\"clsid:CFCDAA03-8BE4-11cf-B84B-0020AFBBCCFA\" "
       "height=\"30\" width=\""},
      {"Text30", "\"align=\"bottom\">"},
      {"Text31", "<PARAM name=\"controls\" value=\"ControlPanel\">"},
      {"Text32", "<PARAM name=\"console\" value=\"Clip1\">"},
      {"Text33", "<EMBED src=\""},
      {"Text34", ".rpm\" console=\"Clip1\" controls=\"ControlPanel\" height=\"30"},
      {"Text35", "\" width=\""},
      {"Text36", "\" autostart=\""},
      {"Text37", "\"> </OBJECT></TD> </TR></TBODY></TABLE></CENTER></BODY></HTML>"},
  });
  return table;
}

namespace {

// Detailed row name -> quick row name. "Text33" stands for the quick "Text34" and
// "Text35" joined, so the quick "Text35" becomes empty.
const std::pair<const char*, const char*> kDetailedToQuick[] = {
    {"Text6", "Text10"},  {"Text7", "Text11"},  {"Text8", "Text12"},   {"Text9", "Text13"},
    {"Text10", "Text14"}, {"Text11", "Text15"}, {"Text36", "Text152"}, {"Text12", "Text16"},
    {"Text14", "Text17"}, {"Text16", "Text18"}, {"Text17", "Text19"},  {"Text18", "Text20"},
    {"Text19", "Text21"}, {"Text21", "Text22"}, {"Text22", "Text23"},  {"Text23", "Text24"},
    {"Text24", "Text25"}, {"Text25", "Text26"}, {"Text26", "Text27"},  {"Text27", "Text28"},
    {"Text28", "Text29"}, {"Text29", "Text30"}, {"Text30", "Text31"},  {"Text31", "Text32"},
    {"Text32", "Text33"}, {"Text33", "Text34"}, {"Text34", "Text36"},  {"Text38", "Text37"},
};

}  // namespace

const FragmentTable& detailedFragments() {
  static const FragmentTable table = [] {
    const FragmentTable& quick = quickFragments();
    std::vector<FragmentTable::Row> rows;
    for (const auto& [detailed, quickName] : kDetailedToQuick) {
      std::string text = quick[quickName];
      if (std::string_view(detailed) == "Text33") text += quick["Text35"];
      rows.emplace_back(detailed, text);
    }
    rows.emplace_back("Text37", quick["Text7"]);
    rows.emplace_back("Text4", quick["Text6"]);
    return FragmentTable(std::move(rows));
  }();
  return table;
}

FragmentTable quickRowsFromDetailed(const FragmentTable& detailed) {
  std::vector<FragmentTable::Row> rows;
  for (const auto& [detailedName, quickName] : kDetailedToQuick) {
    rows.emplace_back(quickName, detailed[detailedName]);
  }
  rows.emplace_back("Text35", "");
  return FragmentTable(std::move(rows));
}

}  // namespace nubera
