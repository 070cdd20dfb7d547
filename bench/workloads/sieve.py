composite = [0] * 100000
count = 0
for i in range(2, 100000):
    if composite[i] == 0:
        count = count + 1
        if i * i < 100000:
            j = i * i
            while j < 100000:
                composite[j] = 1
                j = j + i
print(count)
