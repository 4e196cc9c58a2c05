#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus: short real sessions, each behind its clock header.

The header is the clock's first reading in seconds (4 bytes, little endian) and four steps
the clock advances by, one per later reading (see fuzz_input.h). Run it from anywhere after
changing a session; the corpus files are committed.
"""
import pathlib
import struct

# Seconds whose first travel event is known: every jump's event is drawn from the second the
# clock reads at that jump.
WRECKAGE = 1700000001
PATROL_TAX = 1700000002
SAFE_JOURNEY = 1700000003
OLD_ACQUAINTANCE = 1700000006
PIRATE_RAID = 1700000011
RUMOUR_AFTER_ONE_STEP = 1700000004  # with steps of 1, the first jump reads 1700000005

START = "1\nx\nx\nx\n"  # new game, the two intros and the grant
LEAVE_GAME = "E\n1\n"


def full_game():
    days = "".join("T\n%d\nx\n" % (day % 7 + 1) for day in range(1, 30))
    return START + "2\nx\n" + "S\nB\n8\n5\n" + days + "x\nT\n1\nx\n" + "x\nx\n"


SESSIONS = {
    "leave_program": (SAFE_JOURNEY, [0, 0, 0, 0], "3\n1\n"),
    "leave_program_after_no": (SAFE_JOURNEY, [0, 0, 0, 0], "3\n2\n3\n7\n1\n"),
    "instructions": (SAFE_JOURNEY, [0, 0, 0, 0], "2\nx\n3\n1\n"),
    "invalid_menu_answers": (SAFE_JOURNEY, [0, 0, 0, 0], "9\nabc\n-5\n99999999999\n3\n1\n"),
    "new_game_and_leave": (SAFE_JOURNEY, [0, 0, 0, 0], START + "3\nx\n" + LEAVE_GAME),
    "journey_of_a_few_days": (
        WRECKAGE, [1, 2, 3, 5],
        START + "0\n8\n3\nx\nT\n5\nx\nT\nz\n1\nx\nT\n7\nx\nQ\n" + "E\n2\n" + LEAVE_GAME),
    "patrol_tax": (PATROL_TAX, [0, 0, 0, 0], START + "4\nx\nT\n4\nx\n" + LEAVE_GAME),
    "pirate_raid": (PIRATE_RAID, [0, 0, 0, 0], START + "6\nx\n" + LEAVE_GAME),
    "old_acquaintance": (OLD_ACQUAINTANCE, [0, 0, 0, 0], START + "7\nx\n" + LEAVE_GAME),
    "trading_buy_and_sell": (
        WRECKAGE, [0, 0, 0, 0],
        START + "5\nx\nS\nB\n8\n1\nS\nS\n8\n1\nS\nB\n9\nS\nS\n9\nS\nX\nE\nS\nE\n" + LEAVE_GAME),
    "trading_refusals": (
        WRECKAGE, [0, 0, 0, 0],
        START + "3\nx\nS\nB\n1\n500\n-3\n9\nS\nS\nx\nE\nS\nB\n0\nq\n9\n" + LEAVE_GAME),
    "bank_loan_and_payment": (
        SAFE_JOURNEY, [0, 0, 0, 0],
        START + "2\nx\nB\nL\n500\nq\nY\n-1\nB\nP\n200\nY\n-1\nB\nL\n-5\n99999999\n-1\n"
        + "B\nP\n99999\n-1\nB\nX\nE\nT\n3\nx\n" + LEAVE_GAME),
    "simulator_blaster": (SAFE_JOURNEY, [1, 1, 1, 1], "4\n1\nx\n" + "2\n" * 12 + "x\n3\n1\n"),
    "simulator_lightsaber": (SAFE_JOURNEY, [1, 2, 1, 2], "4\n2\nx\n" + "1\n2\n3\n" * 5 + "x\n3\n1\n"),
    "simulator_starship": (SAFE_JOURNEY, [2, 1, 2, 1], "4\n3\nx\n" + "3\n1\n2\n" * 5 + "x\n3\n1\n"),
    "simulator_surrender_and_exit": (SAFE_JOURNEY, [0, 0, 0, 0], "4\n1\nx\n3\nx\n4\n7\n4\n3\n1\n"),
    "robbery_blasters": (
        RUMOUR_AFTER_ONE_STEP, [1, 1, 1, 1], START + "3\n1\n1\nx\n" + "2\n" * 12 + "x\nx\n" + LEAVE_GAME),
    # Every reading is the same rumour second: let the first rumour be, borrow, and meet it
    # again with money enough to buy the lightsaber it asks for.
    "robbery_lightsaber": (
        RUMOUR_AFTER_ONE_STEP + 1, [0, 0, 0, 0],
        START + "3\n4\nx\nB\nL\n7000\nY\n-1\nT\n2\n2\n1\nx\n" + "1\n2\n" * 6 + "x\nx\n" + LEAVE_GAME),
    "robbery_homing_beacon": (
        RUMOUR_AFTER_ONE_STEP, [1, 1, 1, 1], START + "3\n3\n1\nx\n" + "2\n3\n" * 6 + "x\nx\n" + LEAVE_GAME),
    "robbery_let_things_be": (RUMOUR_AFTER_ONE_STEP, [1, 1, 1, 1], START + "3\n4\nx\n" + LEAVE_GAME),
    "robbery_declined_offer": (
        RUMOUR_AFTER_ONE_STEP, [1, 1, 1, 1], START + "3\n1\n2\n5\n4\nx\n" + LEAVE_GAME),
    "full_game": (SAFE_JOURNEY, [0, 0, 0, 0], full_game()),
    "end_of_input_mid_game": (WRECKAGE, [0, 0, 0, 0], START + "2\nx\nT\n"),
}


def main():
    corpus = pathlib.Path(__file__).resolve().parent / "corpus"
    corpus.mkdir(exist_ok=True)
    for name, (seconds, steps, typed) in SESSIONS.items():
        header = struct.pack("<I4B", seconds, *steps)
        (corpus / name).write_bytes(header + typed.encode())


if __name__ == "__main__":
    main()
