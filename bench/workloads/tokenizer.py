# A tokenizer reading a text of 1,200 tokens (numbers of one to three digits, names of
# one to three letters a to e, the operators + - * /, brackets) made from a Park-Miller
# sequence, with a blank after about a third of them, character by character. Adjacent
# numbers (or names) read as one. Printed: the length, the numbers, the names, the
# operators, the deepest bracket nesting and the sum of the numbers.
x = 3
parts = []
for i in range(1200):
    x = x * 16807 % 2147483647
    w = x % 8
    r = x // 8
    if w < 3:
        parts.append(str(r % 10))
        if w > 0:
            parts.append(str(r // 10 % 10))
        if w > 1:
            parts.append(str(r // 100 % 10))
    elif w < 5:
        for m in range(w - 2):
            parts.append("abcde"[r % 5])
            r //= 5
    elif w == 5:
        parts.append("+-*/"[r % 4])
    elif w == 6:
        parts.append("(")
    else:
        parts.append(")")
    if x // 7 % 3 == 0:
        parts.append(" ")
s = "".join(parts)
numbers = names = operators = depth = deepest = total = value = inside = 0
for c in s:
    if c < "0":
        if inside == 1:
            total += value
        inside = 0
        if c == "(":
            depth += 1
            if depth > deepest:
                deepest = depth
        elif c == ")":
            depth -= 1
        elif c != " ":
            operators += 1
    elif c < "a":
        if inside != 1:
            numbers += 1
            value = 0
            inside = 1
        value = value * 10 + ord(c) - 48
    else:
        if inside == 1:
            total += value
        if inside != 2:
            names += 1
            inside = 2
if inside == 1:
    total += value
print(len(s))
print(numbers)
print(names)
print(operators)
print(deepest)
print(total)
