#pragma once
// "See operations": the log review dialog over the CMS log of the project's directory.
#include <string>

void ShowLogReview(const std::string& log_path);
