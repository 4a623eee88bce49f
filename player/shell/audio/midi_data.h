#pragma once

#include <QByteArray>

// The Standard MIDI File held in `file`: the file itself, or the "data" chunk
// of a RIFF MIDI file ("RMID", extension .rmi). Empty unless it is a whole
// Standard MIDI File: an "MThd" chunk of at least six bytes first, at least
// one "MTrk" chunk, and no chunk running past the end (a few bytes of
// padding after the last chunk may follow). FluidSynth reads a
// file only when it starts to play, so this check is what turns a broken
// file into an open error instead of a piece that ends at once.
QByteArray standardMidiFile(const QByteArray& file);
