#!/usr/bin/env python3
# Checks the shipped question file: seven blocks of short, different equations with many
# different answers, and every answer the one fitting solution of its equation.
#   python3 question_file.py QUESTIONS_FILE
import csv
import re
import sys

BLOCKS = 7
MIN_DISTINCT_ANSWERS = 15  # five Comeqs on screen need five answers of different absolute value
MAX_EQUATION_LENGTH = 22  # what fits the question label at 28 pt
TOLERANCE = 1e-9
# The file's own notation and no more, so that a typo fails instead of being read somehow:
# numbers, x, brackets, + - * / and powers of one digit, with products such as 2x and x(x + 2).
NOTATION = re.compile(r"[\dx+\-*/^(). ]+=[\dx+\-*/^(). ]+")
TYPO = re.compile(r"[-+*/^]\s*[+*/^]|\^(?!\d\b)")


def side(text, x):
    python = re.sub(r"(?<=[\dx)])(?=[x(])", "*", text).replace("^", "**")
    return eval(python, {"__builtins__": {}}, {"x": x})  # checked against NOTATION first


def fault(equation, answer):
    if not NOTATION.fullmatch(equation) or TYPO.search(equation):
        return "is not in the file's notation"
    if len(equation) > MAX_EQUATION_LENGTH:
        return "is too long for the question label"
    left, right = equation.split("=")

    def residual(x):
        return side(left, x) - side(right, x)

    # At most degree 2: three values fix the polynomial and a fourth proves the degree. Then a
    # linear equation must have one solution, a quadratic one the answer as its only positive
    # root (what the help promises the player).
    c = residual(0)
    a = (residual(1) + residual(-1)) / 2 - c
    b = (residual(1) - residual(-1)) / 2
    if abs(residual(answer)) > TOLERANCE:
        return f"is not solved by {answer}"
    if abs(residual(2) - (4 * a + 2 * b + c)) > TOLERANCE:
        return "is of a degree above 2"
    if abs(a) < TOLERANCE:
        return None if abs(b) > TOLERANCE else "has no single solution"
    other = -b / a - answer
    if answer <= 0 or (other > TOLERANCE and abs(other - answer) > TOLERANCE):
        return f"has another positive solution, {other}"
    return None


def main(path):
    with open(path, encoding="cp1252", newline="") as file:
        header, *records = csv.reader(file)
    size = int(header[2])
    faults = []
    # The last record is never drawn, so one extra keeps the last block whole.
    if len(records) != BLOCKS * size + 1:
        faults.append(f"{len(records)} records for {BLOCKS} blocks of {size} and one more")
    for block in range(BLOCKS):
        rows = records[block * size : (block + 1) * size]
        if len({abs(float(answer)) for _, answer, _ in rows}) < MIN_DISTINCT_ANSWERS:
            faults.append(f"block {block + 1} has too few different answers")
        if len({equation for equation, _, _ in rows}) < len(rows):
            faults.append(f"block {block + 1} asks an equation twice")
    for line, (equation, answer, spare) in enumerate(records, start=2):
        try:
            int(spare)
            why = fault(equation, float(answer))
        except (ArithmeticError, SyntaxError, TypeError, ValueError) as error:
            why = f"cannot be read: {error}"
        if why:
            faults.append(f'line {line}: "{equation}" {why}')
    print("\n".join(faults) or "PASS")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
