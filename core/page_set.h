#pragma once
// The page set of one video: two metafiles, a link page and a player page.
// Composing lines is kept apart from writing files so each line can be checked alone; whether
// a value may be written at all is the rule book's (core/rules.h).

#include <string>
#include <string_view>
#include <vector>

#include "core/file_system.h"
#include "core/fragment_table.h"
#include "core/site_state.h"

namespace nubera {

// The player's values. Each is a row of the tables that are built from this list: its field
// on the settings screens and on each creation screen (screens/common/player_values.cpp) and
// its rule (playerRefusal); the page writes it where its fragment rows say.
enum class PlayerValue { Width, Height, Autostart, Alignment };
inline constexpr PlayerValue kPlayerValues[] = {PlayerValue::Width, PlayerValue::Height,
                                                PlayerValue::Autostart, PlayerValue::Alignment};

// The words autostart and alignment take, the ones the page writes (any letter case is taken).
struct PlayerWords {
  static constexpr std::string_view kOn = "true", kOff = "false";
  static constexpr std::string_view kCenter = "center", kLeft = "left", kRight = "right";
};

struct PlayerSettings {
  std::string width;
  std::string height;
  std::string autostart;
  std::string alignment;
  std::string& operator[](PlayerValue v);
  const std::string& operator[](PlayerValue v) const;
};

struct PageFile {
  std::string path;
  std::vector<std::string> lines;
};

// The endings that make the page set's four file names from the video name: the metafiles
// first, then the link page and the player page.
inline constexpr std::string_view kPageSetEndings[] = {".ram", ".rpm", "pop.htm", "enb.htm"};
inline constexpr std::size_t kMetafileCount = 2;
// The longest of them, which makes the longest path of a page set.
inline constexpr std::string_view kLongestEnding = [] {
  std::string_view longest;
  for (std::string_view e : kPageSetEndings) longest = e.size() > longest.size() ? e : longest;
  return longest;
}();

// How the pages name the metafiles: the video name as a relative URL (see urlPath), so a
// browser finds them whatever encoding it guesses for the page; "&" is escaped too, since
// "&copy" in an attribute would be read as "©".
std::string pageReference(const std::string& videoName);

// The video name the metafile lines give to the video file: the typed one, or the name of a
// video file in `folder` that reads the same (its Windows form, 〜 as ～, or composed otherwise,
// as a Mac writes が) when only that one lies there.
std::string videoFileBase(const FileSystem& fs, const std::string& folder,
                          const std::string& videoName);

// Lines, from rows under the quick screen's names; the video name enters them as its
// pageReference.
std::vector<std::string> linkPageLines(const FragmentTable& rows, const std::string& videoName);
std::vector<std::string> playerPageLines(const FragmentTable& rows, const std::string& videoName,
                                         const PlayerSettings& player);
// A path as the path of a URL: its UTF-8 bytes, percent-encoded outside the characters a URL
// path holds as they are ("/" stays, a blank becomes "%20"). With keepEscapes, a "%" and two
// hex digits stay as they are.
std::string urlPath(std::string_view path, bool keepEscapes = false);
// The path with each "%" and two hex digits as the byte they stand for, as a server reads it.
std::string urlDecoded(std::string_view path);
// "file://" + server folder path + "\" + account ... + video + ".rm" on Windows; elsewhere
// "file://" + the same path, joined by "/", as a file URL path.
std::string quickPreviewLine(const FragmentTable& rows, const SiteState& site,
                             const std::string& videoName, bool windows);
// "http://" + server + "/" + account + "/" + folder + "/" + video + ".rm", the path part as a
// URL path.
std::string quickPublishLine(const FragmentTable& rows, const SiteState& site,
                             const std::string& videoName);
// Detailed rows: "file://" + program directory + "\" + video + ".rm" (a file URL path elsewhere
// than on Windows).
std::string detailedPreviewLine(const FragmentTable& detailedRows, const std::string& programDir,
                                const std::string& videoName, bool windows);
// Detailed rows: "http://" + server + address + video + ".rm", nothing added between them, the
// part after the server as a URL path ("%" with two hex digits kept as typed).
std::string detailedPublishLine(const FragmentTable& detailedRows, const std::string& serverName,
                                const std::string& videoAddress, const std::string& videoName);

// The server folder the quick preview line names: the one in the program folder, where the
// page set is written. The stored path is kept only where it names that folder (on Windows in
// any letter case); one recorded before the program folder moved names a folder the pages are
// not in.
std::string previewServerFolder(const FileSystem& fs, const SiteState& site);

// The files of each pass, in the order they are written.
std::vector<PageFile> pageSetFiles(const FileSystem& fs, const std::string& folder,
                                   const FragmentTable& rows, const std::string& videoName,
                                   const std::string& metafileLine, const PlayerSettings& player);
std::vector<PageFile> metafiles(const FileSystem& fs, const std::string& folder,
                                const std::string& videoName, const std::string& metafileLine);

// The page set's pages that are not in `folder` under the video name: a publish pass for such a
// name would leave metafiles that no page names.
std::vector<std::string> missingPages(const FileSystem& fs, const std::string& folder,
                                      const std::string& videoName);

// Writes the files one after the other, each replaced atomically. Every file is encoded and
// every path checked against the system's length limits first, so a character code page 932
// lacks or a name too long for one of the files stops the pass before anything is written;
// otherwise the first failing file stops it, and the files before it stay complete.
void writePageFiles(FileSystem& fs, const std::vector<PageFile>& files);

}  // namespace nubera
