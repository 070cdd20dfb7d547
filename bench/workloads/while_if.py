i = 0
low = 0
high = 0
while i < 200000:
    if i < 50000:
        low = low + 1
    else:
        high = high + 2
    i = i + 1
print(low)
print(high)
