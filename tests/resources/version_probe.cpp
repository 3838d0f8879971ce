// A program that only carries a version record, for the record reader's tests.
// English comes first in its translation table, and its English string table has no Comments.

extern const char probeVersionRecord[];
__attribute__((section(".orlin_version"), used, aligned(1))) const char probeVersionRecord[] =
    "ORLINVERSION1"
    "\0"
    "\\VarFileInfo\\Translation"
    "\0"
    "040904B0 041904E3"
    "\0"
    "\\StringFileInfo\\040904B0\\FileVersion"
    "\0"
    "2.5.0.7"
    "\0"
    "\\StringFileInfo\\040904B0\\ProductName"
    "\0"
    "Probe"
    "\0"
    "\\StringFileInfo\\041904E3\\FileVersion"
    "\0"
    "9.9.9.9"
    "\0"
    "\\StringFileInfo\\041904E3\\Comments"
    "\0"
    "Russian table, never read."
    "\0"
    "\\StringFileInfo\\041904E3\\LegalCopyright"
    "\0"
    "Russian table, never read."
    "\0"
    ""
    "\0";

int main() {
    return probeVersionRecord[0] == 'O' ? 0 : 1;
}
