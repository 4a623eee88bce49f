#pragma once

class QWidget;

// Dialog 169 "データの変更を保存する": asks whether to save the changed game
// first. True when the user answers "はい". The caller goes on either way.
bool askToSaveChanges(QWidget* parent);
