#pragma once
// Command 1130: the listing of the open documents, titled with the project name.
void DocumentListingCommand();
