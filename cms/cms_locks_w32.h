#pragma once
// "See locks": the locks of one archive, with the user's own unlocked from the list.
struct ArchiveInformation;
struct CmsTarget;

void ShowLocksDialog(CmsTarget& target, ArchiveInformation& info);
