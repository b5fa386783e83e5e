#pragma once
// CmsArchive: every revision of one working file, the revision tree with its branches,
// symbolic names, locks, the access list, the description and one text per revision.
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "cms/text_file.h"

inline constexpr int kMaxRevisions = 239;        // revision numbers one archive can hold
inline constexpr size_t kTokenPoolSize = 11950;  // bytes of token texts a reader keeps
inline constexpr size_t kDescriptionSize = 32760;
inline constexpr size_t kLogSize = 4096;
inline constexpr size_t kCommentSize = 20;
inline constexpr const char* kCmsSignature = "This is a CMS file. Do NOT edit!\n";

struct Revision {
    std::string number;
    std::string date;    // "%d.%d.%d.%d.%d.%d"
    std::string author;
    std::string state;
    std::vector<Revision*> branches;  // first revision of each branch starting here
    Revision* next = nullptr;         // trunk: next older; branch: next newer
    std::string locked_by;
    char mark = 0;  // 'D': being deleted, left out when written
    bool defined = false;  // a record for it was read or made (not only a reference)
};

struct CmsSymbol {
    std::string name;
    Revision* revision;
};

struct CmsLock {
    std::string user;
    Revision* revision;
};

// The log and text of one revision as stored: the head's full text, a script otherwise.
struct DeltaText {
    std::string number;
    std::string log;
    std::string text;
};

struct CmsArchive {
    std::string path;
    Revision* head = nullptr;
    std::string default_branch;
    std::vector<std::string> access;
    std::vector<CmsSymbol> symbols;
    std::vector<CmsLock> locks;
    std::string comment;
    int version = 0;
    int binary = 0;
    std::string description;
    std::deque<Revision> revisions;  // the revision table; addresses stay put
    std::unordered_map<std::string, Revision*> by_number;
    std::vector<DeltaText> texts;  // in file order
};

// A problem met while reading: where it is and whether it makes the archive unusable
// for any operation that would write.
struct ArchiveProblem {
    bool error;
    int line;
    std::string text;
};

struct ArchiveReadResult {
    bool usable = false;  // signature, head and locks were read and nothing is damaged
    std::vector<ArchiveProblem> problems;
    bool HasErrors() const;
};

// Parses the archive text (line breaks as LF) completely, texts included.
ArchiveReadResult ParseArchive(std::string_view text, CmsArchive& archive);

// Reads the archive file at archive.path.
ArchiveReadResult ReadArchiveFile(CmsArchive& archive);

// The archive file's text (LF line breaks), byte for byte as defined.
std::string FormatArchive(const CmsArchive& archive);

Revision* FindRevision(CmsArchive& archive, const std::string& number);
Revision* AddRevision(CmsArchive& archive, const std::string& number);  // finds or enters it
DeltaText* FindText(CmsArchive& archive, const std::string& number);
int DefinedRevisionCount(const CmsArchive& archive);

// True when name can be read back by the archive lexer as one identifier.
bool IsIdentifier(const std::string& name);
// The identifier messages for a name that is not one ("" when it is).
std::string IdentifierProblem(const std::string& name);
