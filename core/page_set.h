#pragma once
// The page set of one video: two metafiles, a link page and a player page.
// Composing lines is kept apart from writing files so each line can be checked alone.

#include <string>
#include <string_view>
#include <vector>

#include "core/file_system.h"
#include "core/fragment_table.h"
#include "core/site_state.h"

namespace nubera {

struct PlayerSettings {
  std::string width;
  std::string height;
  std::string autostart;
  std::string alignment;
};

struct PageFile {
  std::string path;
  std::vector<std::string> lines;
};

// Lines, from rows under the quick screen's names.
std::vector<std::string> linkPageLines(const FragmentTable& rows, const std::string& videoName);
std::vector<std::string> playerPageLines(const FragmentTable& rows, const std::string& videoName,
                                         const PlayerSettings& player);
// A path as the path of a URL: its UTF-8 bytes, percent-encoded outside the characters a URL
// path holds as they are ("/" stays, a blank becomes "%20"). With keepEscapes, a "%" and two
// hex digits stay as they are.
std::string urlPath(std::string_view path, bool keepEscapes = false);
// "file://" + server folder path + "\" + account ... + video + ".rm" on Windows; elsewhere
// "file://" + the same path, joined by "/", as a file URL path.
std::string quickPreviewLine(const FragmentTable& rows, const SiteState& site,
                             const std::string& videoName, char localSeparator);
// "http://" + server + "/" + account + "/" + folder + "/" + video + ".rm", the path part as a
// URL path.
std::string quickPublishLine(const FragmentTable& rows, const SiteState& site,
                             const std::string& videoName);
// Detailed rows: "file://" + program directory + separator + video + ".rm" (a file URL path
// where the separator is "/").
std::string detailedPreviewLine(const FragmentTable& detailedRows, const std::string& programDir,
                                const std::string& videoName, char localSeparator);
// Detailed rows: "http://" + server + address + video + ".rm", nothing added between them, the
// part after the server as a URL path ("%" with two hex digits kept as typed).
std::string detailedPublishLine(const FragmentTable& detailedRows, const std::string& serverName,
                                const std::string& videoAddress, const std::string& videoName);

// The folder the quick page maker writes into: program dir / server / account / folder.
std::string videoFolder(const FileSystem& fs, const SiteState& site);

// The files of each pass, in the order they are written.
std::vector<PageFile> pageSetFiles(const FileSystem& fs, const std::string& folder,
                                   const FragmentTable& rows, const std::string& videoName,
                                   const std::string& metafileLine, const PlayerSettings& player);
std::vector<PageFile> metafiles(const FileSystem& fs, const std::string& folder,
                                const std::string& videoName, const std::string& metafileLine);

// Writes the files one after the other, each replaced atomically. Every file is encoded
// first, so a character code page 932 lacks stops the pass before anything is written;
// otherwise the first failing file stops it, and the files before it stay complete.
void writePageFiles(FileSystem& fs, const std::vector<PageFile>& files);

}  // namespace nubera
