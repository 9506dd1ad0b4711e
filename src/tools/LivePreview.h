#pragma once
// The page beside its text: a browser in a split of the document window,
// refreshed from a fresh copy shortly after typing stops.
class Workspace;
class frmDocument;

namespace LivePreview {
// Opens or closes doc's live preview; false when it could not open (no browser,
// or the copy could not be written, which the user has been told).
bool SetOpen(Workspace* main, frmDocument* doc, bool open);
bool IsOpen(const frmDocument* doc);
// The pause after the last change before the page is refreshed (tests shorten it).
void SetDelay(int milliseconds);
}

// View > Live Preview and each document's status-bar switch.
void InstallLivePreview(Workspace* main);
