// What the screen readers' log keeps of the game's text, without a browser.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { spokenLines } from '../game_log.js';

test('lines of art alone stay out of the log; every line with words or figures goes in, in order', () => {
  const banner = `

     *****NEBU**************************
    _____ _____ __  __ _____ __  __ ____
   / __ // _  // / / // _  //  |/ // __/
 /_____//_/\\_\\  |___//_/ /_//_/ |_//___/
   ==============| CONCORDAT |==========
   -Welcome to Nebulance: ORVANE CONCORDAT-
   ----------------------------------------
  |_|      | |
   | Total Credits:       2000 |
      |  done of ||   [ 7 ] Vibro-axes       ::   132      |_|     6    |    0  |
   Select option number: `;
  assert.deepEqual(spokenLines(banner), [
    '     *****NEBU**************************',
    '   ==============| CONCORDAT |==========',
    '   -Welcome to Nebulance: ORVANE CONCORDAT-',
    '   | Total Credits:       2000 |',
    '      |  done of ||   [ 7 ] Vibro-axes       ::   132      |_|     6    |    0  |',
    '   Select option number: ',
  ]);
});
