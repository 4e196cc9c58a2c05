// How the answer keys share out into rows, without a browser: each key takes at least 44 px.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { keysPerRow } from '../answer_keys.js';

test('the keys take the fewest rows their width allows, shared out evenly', () => {
  assert.equal(keysPerRow(880, 20), 20, 'twenty 44 px keys in 880 px');
  assert.equal(keysPerRow(879, 20), 10, 'one pixel short: two rows of ten, not nineteen and one');
  assert.equal(keysPerRow(844, 19), 19, 'a phone on its side, the switch key beside the terminal');
  assert.equal(keysPerRow(390, 20), 7, 'eight fit: three rows of seven, seven and six');
});

test('a panel narrower than one key still holds one a row, and a lone key one row', () => {
  assert.equal(keysPerRow(30, 20), 1);
  assert.equal(keysPerRow(390, 1), 1);
});
