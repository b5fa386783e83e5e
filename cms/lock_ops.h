#pragma once
// Locks of one user on revisions of the open archive.
#include "cms/cms_operation.h"

bool LockRevision(CmsOperation& op, Revision* r);
bool UnlockRevision(CmsOperation& op, Revision* r);
// The revision a lock or unlock request without a number means (null and reported if none).
Revision* DefaultLockTarget(CmsOperation& op);
