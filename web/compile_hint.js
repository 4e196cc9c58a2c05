//# allFunctionsCalledOnLoad
// Put before the game's loader (nebulance.js) as it is built: the hint that its functions are
// compiled as the file arrives, as the page's own scripts have it.
