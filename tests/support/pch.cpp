// Only here to carry the widget tests' precompiled header.
