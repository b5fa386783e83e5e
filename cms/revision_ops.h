#pragma once
// What a user does with CMS: put (check in), get (check out), lock, unlock and the other
// changes of an archive. Each operation reports to the user and to the CMS log itself.
#include <string>
#include <vector>

#include "cms/cms_session.h"

struct PutRequest {
    std::string work_file;  // a plain name in the session's working directory
    std::string symbol;     // bound to the new revision
    std::string revision;   // asked-for number
    std::string author, log, state;
    bool use_keywords = false;  // revision, date, author and state from "$...$" values
    bool quiet = false;
    bool keep = false;  // keep the working file
    bool lock = false;  // lock the new revision (implies keep)
};

struct GetRequest {
    std::string work_file;
    std::string revision;
    std::string output;  // else the working file
    std::string date, author, state;  // limits
    bool lock = false, unlock = false, quiet = false, overwrite = false;
};

struct ChangeRequest {
    std::string work_file;
    bool quiet = false;
    bool set_default_branch = false;
    std::string default_branch;  // the head's number or "" clears it
    bool lock = false, unlock = false;
    std::string lock_revision, unlock_revision;  // "" for the default
    bool set_description = false;
    std::string description;
    bool set_access = false;
    std::vector<std::string> access;
    bool bind = false, rebind = false;
    std::string symbol, symbol_revision;  // "" removes the name
    std::vector<std::string> remove;      // revision and branch numbers to delete
};

bool Put(CmsSession& session, const PutRequest& request);
bool Get(CmsSession& session, const GetRequest& request);
int ChangeArchive(CmsSession& session, const ChangeRequest& request);  // 0 done, 1 failed
