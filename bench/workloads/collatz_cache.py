# Collatz chain lengths of 1..20000 memoised in a dict: every start walks until it meets
# a cached number, then the numbers of its walk are cached on the way back
N = 20000
cache = {1: 1}
lookups = hits = 0
total = longest = longest_start = 0
path = []
for s in range(1, N + 1):
    x = s
    while True:
        lookups += 1
        length = cache.get(x)
        if length is not None:
            hits += 1
            break
        path.append(x)
        x = x // 2 if x % 2 == 0 else 3 * x + 1
    while path:
        length += 1
        cache[path.pop()] = length
    total += length
    if length > longest:
        longest, longest_start = length, s
print(len(cache))
print(lookups - hits)
print(total)
print(longest_start)
print(longest)
