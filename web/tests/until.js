// The one wait of the browser tests: a condition polled until it holds or a deadline passes. It
// is a module of its own because both the page's helpers (page.js) and WebKit's driver
// (webdriver.js) poll, and page.js loads the driver.

// Polls `read()` every few milliseconds until `done(value)` holds, or `timeoutMs` have passed;
// resolves with the last value read either way, so that the assertion after the wait shows what
// was there instead of a bare timeout. It runs in node and, as its own source, inside a page
// (page.js's untilInPage), so it uses only what both have.
export async function until(read, { done = Boolean, timeoutMs = 10000 } = {}) {
  const deadline = performance.now() + timeoutMs;
  for (;;) {
    const value = await read();
    if (done(value) || performance.now() > deadline) return value;
    await new Promise((resolve) => { setTimeout(resolve, 5); });
  }
}
