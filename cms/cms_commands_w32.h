#pragma once
// The CMS menu commands: put, get, locks, defaults, erase, log and preferences, each
// with its request dialog; results go to the output window's list.
void InstallCms();
