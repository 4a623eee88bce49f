#pragma once

class AutoSave;
class AutoSaveFolder;
class CMainFrame;

// At start-up: when a player that is gone (killed, or ended after the user
// declined to save) left a copy of its game, offers to resume the newest one
// that can be read, with the puzzle's name and the time played. The copy is
// taken from the folder first, so that no other player offers it too. "はい"
// resumes that game, marked as changed; "いいえ" keeps the copy aside until
// the next game starts. A copy that cannot be read is noted on stderr and
// left alone. True when a game was resumed.
bool offerRecovery(CMainFrame& frame, AutoSaveFolder& folder, AutoSave& autoSave);
