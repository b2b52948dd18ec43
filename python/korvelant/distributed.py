"""Descriptors over a Dask cluster, for data sets that outgrow one machine.

    from dask.distributed import Client
    client = Client("tcp://scheduler-host:8786")
    import korvelant as kv
    frame = kv.distributed.descriptors(smiles_list)

Each worker needs the korvelant package installed. Items travel as batch records (a Tree as
its edge line, a Mol as its molfile), never as pickled engine objects; the rows come back in
input order, the same DataFrame one process makes. A worker lost mid-run costs time, not
rows: Dask computes its partitions again elsewhere.
"""

from . import _descriptors, _native


def _partition_columns(records, first_line, smiles_column):
    return _native.descriptor_columns(
        records, jobs=1, first_line=first_line, smiles_column=smiles_column
    )


def _partitions(count, parts):
    bounds = [count * k // parts for k in range(parts + 1)]
    return [(bounds[k], bounds[k + 1]) for k in range(parts) if bounds[k] < bounds[k + 1]]


def descriptors(items, client=None, partitions=None):
    """kv.descriptors spread over a Dask distributed cluster: the same DataFrame, in input
    order. client: a dask.distributed.Client (default: the current one); partitions: how many
    pieces the items are cut into (default: four per worker thread)."""
    from dask.distributed import default_client

    client = client or default_client()
    records = _descriptors.records(items)
    if partitions is None:
        threads = sum(client.nthreads().values()) or 1
        partitions = 4 * threads
    if partitions < 1:
        raise ValueError(f"partitions must be at least 1, not {partitions!r}")
    smiles_column = any(_descriptors.is_molecule(r) for r in records)
    pieces = _partitions(len(records), partitions) or [(0, 0)]
    futures = client.map(
        _partition_columns,
        [records[start:end] for start, end in pieces],
        [start + 1 for start, _ in pieces],
        [smiles_column] * len(pieces),
        pure=False,
    )
    return _descriptors.frame(_descriptors.concatenated(client.gather(futures)))
