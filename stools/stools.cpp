// Replaced by the sound library.
