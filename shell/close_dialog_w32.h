#pragma once
// Lists every modified document in one dialog before the program closes: save them all,
// close without saving, or cancel. False when the close is refused.
bool AskToSaveModifiedDocuments();
