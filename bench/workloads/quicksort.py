# quicksort of 80,000 numbers below 100,000 from a Park-Miller sequence: Hoare
# partitions with an explicit stack of (lo, hi) ranges; then the order is checked and summed
n = 80000
x = 7
a = [0] * (n + 1)
for i in range(1, n + 1):
    x = x * 16807 % 2147483647
    a[i] = x % 100000
stack = [(1, n)]
while stack:
    lo, hi = stack.pop()
    pivot = a[(lo + hi) // 2]
    i, j = lo, hi
    while i <= j:
        while a[i] < pivot:
            i += 1
        while a[j] > pivot:
            j -= 1
        if i <= j:
            a[i], a[j] = a[j], a[i]
            i += 1
            j -= 1
    if lo < j:
        stack.append((lo, j))
    if i < hi:
        stack.append((i, hi))
disorder = sum(1 for i in range(1, n) if a[i] > a[i + 1])
checksum = sum(i * a[i] for i in range(1, n + 1))
print(disorder)
print(a[1])
print(a[n])
print(checksum)
