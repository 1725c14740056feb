#pragma once
// The page set of one video: two metafiles, a link page and a player page.
// Composing lines is kept apart from writing files so each line can be checked alone.

#include <optional>
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

// Why the player values cannot be written into the player page, in one message that names
// each setting and says where to correct it; nullopt when they can. A width or height must be
// a number as the height rule reads it, the alignment center, left or right and the autostart
// true or false, in any letter case (kept as typed).
std::optional<std::string> playerSettingsProblem(const PlayerSettings& player);

// How the pages name the metafiles: the video name as a relative URL (see urlPath), so a
// browser finds them whatever encoding it guesses for the page; "&" is escaped too, since
// "&copy" in an attribute would be read as "©".
std::string pageReference(const std::string& videoName);

// The video name the metafile lines give to the video file: the typed one, or its Windows form
// (〜 as ～) when only a video file of that form lies in `folder`.
std::string videoFileBase(const FileSystem& fs, const std::string& folder,
                          const std::string& videoName);

// Why the server name cannot be the host of a published address: labels of letters, digits
// and "-" joined by ".", a last label of digits only in a whole IPv4 address, and with
// withPort an optional ":port" (1 to 65535); the message gives an example. nullopt when it can.
std::optional<std::string> serverNameProblem(const std::string& serverName, bool withPort);

// Why the detailed screen's server name and video address cannot make a published address:
// the server must be a host name (with an optional ":port"), the address must begin and end
// with "/"; nullopt when they can. Empty values are the caller's.
std::optional<std::string> publishAddressProblem(const std::string& serverName,
                                                 const std::string& videoAddress);

// Lines, from rows under the quick screen's names; the video name enters them as its
// pageReference.
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
// The server folder the quick preview line names: the one in the program folder, where the
// page set is written. The stored path is kept only where it names that folder (on Windows in
// any letter case); one recorded before the program folder moved names a folder the pages are
// not in.
std::string previewServerFolder(const FileSystem& fs, const SiteState& site);

// On Windows, why the metafile lines cannot name the video file in `folder`: its name holds a
// character the code page 932 line cannot hold as it is (〜, which is written as ～), so the line
// would name a file that is not there. The message names the character; nullopt elsewhere.
std::optional<std::string> videoFileNameProblem(const FileSystem& fs, const std::string& folder,
                                                const std::string& videoName);

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

// Why a file of the page set would be written into another file: the system takes its name
// for an existing file of another name (a Windows short name such as SPORTS~1.RAM); the
// message names that file. nullopt when every name is its own.
std::optional<std::string> pageSetAliasProblem(const FileSystem& fs, const std::string& folder,
                                               const std::string& videoName);

// Writes the files one after the other, each replaced atomically. Every file is encoded and
// every path checked against the system's length limits first, so a character code page 932
// lacks or a name too long for one of the files stops the pass before anything is written;
// otherwise the first failing file stops it, and the files before it stay complete.
void writePageFiles(FileSystem& fs, const std::vector<PageFile>& files);

}  // namespace nubera
