# character scan of a 14,726-character text: words, blanks and letters 'a' counted by
# taking shrinking suffixes (the last n characters) and stripping them
words = ["alpha", "beta", "gamma", "delta", "kappa", "omega", "sigma", "iota"]
x = 42
s = "start"
for i in range(2500):
    x = x * 16807 % 2147483647
    word = words[x % 8]
    s += ("  " if x % 7 == 0 else " ") + word
length = len(s)
blanks = count_a = nwords = 0
in_word = False
u = s
for n in range(length, 0, -1):
    v = s[length - n + 1:]
    if len(u.strip(" \t\n")) < n:
        blanks += 1
        in_word = False
    else:
        if not in_word:
            nwords += 1
            in_word = True
        if u == "a" + v:
            count_a += 1
    u = v
print(length)
print(nwords)
print(blanks)
print(count_a)
