#include "cli/Usage.h"

namespace vennart::cli {
namespace {

constexpr std::string_view kUsage = R"(usage: vennart-cli COMMAND [OPTIONS] PATH...
commands:
  show [--json] PATH...
  set [--v1] [--v2] FIELD=VALUE... [--] PATH...
  translit --v1|--v2|--names PATH...
  copy --v1-to-v2|--v2-to-v1 PATH...
  v1-version 1.0|1.1 PATH...
  tags-from-names [--v1|--v2] --rule RULE... [--replace WHAT WITH]... [case options] PATH...
  names-from-tags [--v1|--v2] --mask MASK PATH...
  reencode [--v1|--v2] --to N [--lossy] PATH...
  reencode [--v1|--v2] --detect [--folder-level] [--candidates all|active|LIST] PATH...
  detect [--v1|--v2] [--folder-level] [--candidates all|active|LIST] PATH...
common options: --recursive, --dry-run, --json, --v1-code-page N, --v2-code-page N, --settings FILE
vennart-cli --help tells more.
)";

constexpr std::string_view kHelp
    = R"(vennart-cli: the ID3 tag editor Vennart from a shell, over files, folders and whole folder trees.

usage: vennart-cli COMMAND [OPTIONS] PATH...

Each PATH is an MP3 file or a folder; a folder stands for every "*.mp3" file in it. Each folder is
read, changed and saved as the window does it with one folder, then released. Options may come
anywhere before "--"; what follows "--" is a PATH, even when it begins with "-".

Commands
  show PATH...
      For each file: the ID3v1 record, every ID3v2 frame (identifier, short name, text under the
      view code pages) and the file information of the window's panel.
  set [--v1] [--v2] FIELD=VALUE... [--] PATH...
      Sets fields as the editing panel does, on the ID3v2 tag (--v2, the default), on the ID3v1
      record (--v1), or on both. FIELD is title, artist, album, year, genre, track or comment, or
      (ID3v2 only) a frame identifier such as TCOM or WOAR. The arguments with "=" before the first
      PATH are the fields; write "--" before a PATH whose name holds "=". A VALUE of
      "<do not change>" changes nothing.
  translit --v1|--v2|--names PATH...
      Transliterates the ID3v1 records, the ID3v2 frames, or the file names through translit.tab.
  copy --v1-to-v2|--v2-to-v1 PATH...
      Copies the main fields from ID3v1 to ID3v2 or back.
  v1-version 1.0|1.1 PATH...
      Gives every ID3v1 record that version: 1.1 keeps a track number, 1.0 a longer comment.
  tags-from-names [--v1|--v2] --rule RULE... [--replace WHAT WITH]... PATH...
      Fills tags from the file names (the name without its extension) as "Make Tags from
      Filenames" does, into the ID3v2 tag (--v2, the default) or the ID3v1 record (--v1).
        --rule RULE          one rule, checked; repeat for more fields. A second rule for the same
                             field takes the place of the first.
        --replace WHAT WITH  a replacement row: every WHAT in a cut-out text becomes WITH; repeat
                             for more rows, applied in order.
        --lower-case         all letters in lower case first
        --no-first-upper     do not put the first letter in upper case
        --no-each-word-upper do not put the first letter of each word in upper case
      RULE := FRAME "=" BOUND ".." BOUND
        FRAME is TIT2 (title), TPE1 (artist), TALB (album), TYER (year), TRCK (track) or COMM
        (comment), in any letter case. The first BOUND is where the field starts (From), the
        second where it ends (To):
          (empty)              the first character of the name (From) or the last (To)
          DIGITS               that character position, from 1
          'SYMBOL'             the first occurrence of the symbol: the field starts after it
                               (From) or ends before it (To); '' inside the quotes stands for '
          'SYMBOL'#N           the N-th occurrence of the symbol
      Examples, for names like "Artist - 01 - Title.mp3":
        --rule "TPE1=..' - '" --rule "TRCK=' - '..' - '#2" --rule "TIT2=' - '#2.."
  names-from-tags [--v1|--v2] --mask MASK PATH...
      Renames the files after their tags as "Make Filenames from Tags" does. In MASK, %vvtt is the
      title, %vvar the artist, %vvab the album, %vvyy the year, %vvtr the track number, %vvcm the
      comment, %vvfn the old file name, and "%" with a frame identifier (%TCOM) that frame's text;
      ".mp3" is appended. Names another file has, or two files would get, are refused.
  reencode [--v1|--v2] --to N [--lossy] PATH...
      Stores the 8-bit text of the ID3v2 tags (--v2, the default) or of the ID3v1 records (--v1),
      read in the view code page (--v1-code-page, --v2-code-page), in code page N instead, as
      "Change Encoding of Tags" does; N = 1200 stores ID3v2 text as UTF-16. Frames that declare a
      Unicode encoding keep their text. A file with characters code page N cannot hold is named and
      left as it is, unless --lossy lets them become "?".
  reencode [--v1|--v2] --detect [--folder-level] [--candidates all|active|LIST] PATH...
      As "Convert" of "Detect Encoding": each file's 8-bit text is read in the code page found for
      it (see detect) and stored as UTF-16 (--v2) or in the view code page (--v1). A file whose
      code page is uncertain is named and left as it is.
  detect [--v1|--v2] [--folder-level] [--candidates all|active|LIST] PATH...
      The code page of each file's 8-bit text on the ID3v2 tag (--v2, the default) or the ID3v1
      record (--v1), with the detector's confidence and its next guesses. --folder-level guesses
      once from all files of a folder together (an album is nearly always in one code page).
      --candidates: the active code pages of the settings (active, the default), every code page
      of the catalogue (all), or a comma-separated list of code page numbers. With --json: one
      object per file, {"file", "tag", "text", "code_page" (null when none), "confidence",
      "ranking": [[code page, score], ...]}.

Common options
  -r, --recursive      also every folder below the given ones (symbolic links to folders are
                       not followed)
  -n, --dry-run        print what would change, per file and field, old -> new, and the names
                       that could not be given; change nothing
      --json           one JSON object per file and line, for show and --dry-run
      --v1-code-page N the code page ID3v1 text is shown in (default: the settings file's, else 1251)
      --v2-code-page N the code page 8-bit ID3v2 text is shown in; 1200 is UTF-16 and stores new
                       text as UTF-16 (default: the settings file's, else 1200)
      --settings FILE  the settings file to read instead of the window's
  -h, --help           this text

Exit status: 0 when every file succeeded, 1 when any file failed (each is named on stderr with
the reason, and the others are still done), 2 for a usage error.
)";

} // namespace

std::string_view UsageText()
{
    return kUsage;
}

std::string_view HelpText()
{
    return kHelp;
}

} // namespace vennart::cli
