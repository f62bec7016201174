// What screen readers are told of the message window: a list whose items are its lines.
#pragma once

// Makes every message window a list for screen readers, one item per shown line, read from the
// log when asked. Safe to call more than once.
void installMsgLogAccessible();
