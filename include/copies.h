// The backup copy and the restoring of the store from a copy.
#pragma once

/// Main menu 6: the backup copy dialogue.
void make_copy();
/// Main menu 7: restores the backup copy.
void recover_copy();
/// Main menu 8: restores the safety copy of the last clean end.
void urgent_recovery();
