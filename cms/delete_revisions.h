#pragma once
// Deleting revisions (by number) and whole branches (by branch number) from the open archive.
#include <string>
#include <vector>

#include "cms/cms_operation.h"

// Marks, relinks and restores the texts that followed the deleted ones; an element that
// cannot be deleted is left whole and counted as an error.
void DeleteRevisions(CmsOperation& op, const std::vector<std::string>& elements);
